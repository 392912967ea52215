#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QString>

#include "TestFolder.h"

// Every entry under the folder by its path there, hidden ones too: a file with its bytes, a
// folder as "<folder>", anything else (a FIFO, a link to nowhere) as "<special>", never read.
// Two snapshots alike: nothing there was written, made or left behind.
inline QMap<QString, QByteArray> FolderSnapshot(const QString& root) {
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        entries.insert(QDir(root).relativeFilePath(path), info.isDir() ? QByteArray("<folder>")
                                                          : info.isFile()
                                                              ? ReadBytes(path)
                                                              : QByteArray("<special>"));
    }
    return entries;
}

// The snapshot of the program's data alone: without the copies of it, those in Backups/ and any
// .zip.
inline QMap<QString, QByteArray> DataSnapshot(const QString& root) {
    QMap<QString, QByteArray> entries = FolderSnapshot(root);
    entries.removeIf([](const auto& entry) {
        return entry.key().startsWith(QLatin1String("Backups")) ||
               entry.key().endsWith(QLatin1String(".zip"));
    });
    return entries;
}
