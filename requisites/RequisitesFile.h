#pragma once

#include <QString>
#include <QStringList>

#include "common/CRequisiteArray.h"
#include "common/LineFile.h"

// The two address books on disk: "pltRecv.dat" holds the payers (kind 0), "polRecv.dat" the
// recipients (any other kind). A record is six lines in the order name, bank, bank identification
// code, taxpayer number and reason code, account 1, account 2: the third and fourth lines stand
// the other way round from the record's members. There is no header and no separator, so a list
// of n records is 6 n lines and an empty list is an empty file.
namespace RequisitesFile {

constexpr int kLinesPerRecord = 6;
// The kinds of address book.
using ::kPayersKind;
using ::kRecipientsKind;

QString FileName(int nKind);
QString ArchiveCaption(int nKind);

// What the user is told when a file can't be read or written.
QString CannotReadMessage();
QString CannotWriteMessage();
// What the user is told of a party of an order that has no record of its name in its book, the
// same wherever it is found: "плательщик «ООО Ромашка» не найден в pltRecv.dat".
QString NotInBookMessage(int nKind, const QString& name);

// A short last record gets empty fields; a blank line where a name is due starts a record.
CRequisiteArray FromLines(const QStringList& lines);
QStringList ToLines(const CRequisiteArray& requisites);

// Replaces *requisites with the records of the file; they are empty unless the result is Ok.
LineFile::ReadResult Read(const QString& path, CRequisiteArray* requisites);

// The first record of the file whose name is exactly the name, as Read would give it, without
// decoding the records before it: *found tells whether there is one, and *record is set only
// then. The result is Read's: with anything but Ok nothing is found.
LineFile::ReadResult FindByName(const QString& path, const QString& name, CRequisite* record,
                                bool* found);

// Replaces the file in one step. Returns false, leaving the file as it was, when writing failed
// or a field holds text the file cannot keep (a line break, a character outside code page 1251);
// *error then says why, as LineFile::Write does (a link at the path is never written through).
bool Write(const QString& path, const CRequisiteArray& requisites, QString* error = nullptr);

}  // namespace RequisitesFile
