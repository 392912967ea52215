#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QList>
#include <QString>

#include "routine/BackupSummary.h"

// A copy of the working folder's data (everything KeptData lists) in one zip file, and the
// folder's data put back from one. The zip holds the files under their names in the folder
// ("pltRecv.dat", "Vemo/vemo.7") after a first entry that describes the copy (BackupManifest).
//
// Only such a copy is restored, and only whole: it is read and checked first (every file listed
// and of its size and checksum, no name outside the data, no absolute path, no "..", no link, no
// file over 256 MB or over the size the description gives, 1 GB at most in all), then the
// folder's data is kept as a copy of its own in "Backups", the copy's files are written beside
// the data, and only then do they take its place, each part in one rename; a failure at any step
// leaves the folder's data as it was.
namespace Backup {

// "vemo-2026-12-07.zip"
QString ProposedFileName(const QDate& day);
// Where a copy made on the day goes in a folder: the proposed name, or "vemo-2026-12-07-2.zip"
// and so on when a copy of that day is there already, so that no copy replaces another.
QString NewCopyPath(const QDir& into, const QDate& day);
// The folder of the working folder where the data is kept before a restore.
QString KeptCopiesFolder();

// The zip of the folder's data. False, with *error naming them, when files of the data cannot be
// read (a copy without them would be taken for a whole one).
bool Make(const QDir& folder, const QDateTime& now, QByteArray* zip, BackupSummary* summary,
          QString* error);
// Makes the copy and writes it to path completely or not at all ("-" is standard output). A path
// within the data (an address book's name, a file in "Vemo") is refused: the copy would replace
// or join what it copies.
bool Save(const QDir& folder, const QString& path, const QDateTime& now, BackupSummary* summary,
          QString* error);

// Reads the copy at path and checks it whole: what it holds, or why it cannot be restored.
bool Inspect(const QString& path, BackupSummary* summary, QString* error);

// Puts the copy's data in place of the folder's, whole or not at all; *keptCopy is the copy of
// the data it replaced, in KeptCopiesFolder().
bool Restore(const QDir& folder, const QString& path, const QDateTime& now, QString* keptCopy,
             BackupSummary* summary, QString* error);

// Where tests make a rename of the restore fail, to see the parts already moved put back;
// nullptr in the program.
extern bool (*g_pRenameFault)(const QString& from);

}  // namespace Backup
