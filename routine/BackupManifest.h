#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

// The description a copy of the data opens with, its first entry "vemo-backup.txt" (UTF-8, a line
// each): "VemoBackup=1", "Made=" the time it was made, "Folder=" the working folder it was made
// of, "Dir=" each folder, and "File=SIZE SHA256 NAME" each file. Reading it checks every name and
// size before a byte of the files is read.
struct BackupManifest {
    struct File {
        qint64 size = 0;
        QByteArray sha256;  // in hexadecimal
    };

    QDateTime made;
    QString folder;
    QStringList dirs;
    QStringList fileNames;  // in the order listed
    QMap<QString, File> files;

    // No file of the data is larger than a data file may be, and the whole is held within bounds.
    static constexpr qint64 kMostTotalBytes = qint64(1024) * 1024 * 1024;
    static constexpr qsizetype kMostFiles = 1000000;
    static constexpr qint64 kMostBytes = qint64(64) * 1024 * 1024;  // of the description

    static QString EntryName();
    static QByteArray Checksum(const QByteArray& bytes);

    void AddFile(const QString& name, const QByteArray& bytes);
    QByteArray Bytes() const;

    // Reads a description. False, with the reason in the user's words, for another kind of file,
    // another version, a damaged line, a name outside the data, a file over the limits.
    bool Read(const QByteArray& bytes, QString* error);

    // Why a name of a copy may not be written in the working folder (an absolute path, "..", a
    // control character); empty when it may.
    static QString UnsafeName(const QString& name);
    // That a name of a copy is not the program's data.
    static QString NotData(const QString& name);

private:
    bool ReadFileLine(const QString& value, qint64* total, QString* error);
};
