#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QList>
#include <QString>

// What a copy of the data holds, as the user sees it before it is restored.
struct BackupSummary {
    struct Part {
        QString caption;  // as KeptData names it
        bool present = false;
        qsizetype files = 0;    // of a folder
        qsizetype records = 0;  // of an address book
    };
    QDateTime made;
    QString folder;     // the working folder it was made of
    QList<Part> parts;  // in the order of KeptData::All()

    // "Копия данных от 07.12.2026 17:28 из папки …", then a line per part: "реквизиты
    // плательщиков: 2 записи", "платежные поручения: 12 файлов", "шаблоны: нет".
    QString Text() const;
};

// A copy of the working folder's data (everything KeptData lists) in one zip file, and the
// folder's data put back from one. The zip holds the files under their names in the folder
// ("pltRecv.dat", "Vemo/vemo.7") after a first entry, "vemo-backup.txt" (UTF-8), that describes
// the copy: "VemoBackup=1", "Made=" the time it was made, "Folder=" the folder, "Dir=" each
// folder, and "File=SIZE SHA256 NAME" each file.
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
// The folder of the working folder where the data is kept before a restore.
QString KeptCopiesFolder();

// The zip of the folder's data. False, with *error naming them, when files of the data cannot be
// read (a copy without them would be taken for a whole one).
bool Make(const QDir& folder, const QDateTime& now, QByteArray* zip, BackupSummary* summary,
          QString* error);
// Makes the copy and writes it to path completely or not at all ("-" is standard output).
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
