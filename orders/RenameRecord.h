#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "common/FileDescriptor.h"

class WorkingFolder;

// A party's rename under way, kept in the working folder ("Vemo/renaming") from before its
// address book is written until every order that named the party names it anew: a rename cut
// short (the program killed, a full disk) is finished from it later. Written in one step, as
// every data file is; a rename holds it locked while it runs, so that a second editor on the
// folder leaves it alone.
struct RenameRecord {
    int nKind = 0;
    QString oldName;
    QString newName;
    QByteArray bookBefore;  // the digest of the book's file before the rename wrote it
    QStringList kept;       // the order files that keep the old name: the bank has them so

    static QString FileName();

    enum class Found { None, Read, Unreadable };
    // The rename recorded in the folder; *problem says why a record there does not read.
    static Found Read(const WorkingFolder& folder, RenameRecord* record, QString* problem);
    // False with the system's reason in *error.
    bool Write(const WorkingFolder& folder, QString* error) const;
    static void Remove(const WorkingFolder& folder);

    // Locks the record for this rename until *held is closed; false while another rename holds it.
    static bool Hold(const WorkingFolder& folder, FileDescriptor* held);
};
