#include "common/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace SafeSave {
namespace {

// Writes every byte through to the open file; a short write or a failed flush is a failure.
bool WriteAll(QFileDevice& file, const QByteArray& bytes, QString* error) {
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    // QSaveFile keeps up to 16 KiB in its buffer, and commit() renames the temporary file over
    // the old one even when writing out that buffer fails (a full disk, a file size limit). So
    // the buffer is flushed here, and the size on disk checked, while the old file still stands.
    bool written = WriteAll(file, bytes, error);
    if (written && file.size() != bytes.size()) {
        *error =
            QStringLiteral("only %1 of %2 bytes were written").arg(file.size()).arg(bytes.size());
        written = false;
    }
    if (!written) {
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool WriteInPlace(const QString& path, const QByteArray& bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    return WriteAll(file, bytes, error);
}

bool WriteToStandardOutput(const QByteArray& bytes, QString* error) {
    std::fflush(stdout);  // whatever stdio holds goes first
    QFile file;
    if (!file.open(fileno(stdout), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        *error = file.errorString();
        return false;
    }
    return WriteAll(file, bytes, error);
}

bool WriteOutput(const QString& path, const QByteArray& bytes, QString* error) {
    if (path == QLatin1String("-")) {
        return WriteToStandardOutput(bytes, error);
    }
    // Replacing a pipe or a device would leave a regular file in its place.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        return WriteInPlace(path, bytes, error);
    }
    return ReplaceFile(path, bytes, error);
}

}  // namespace SafeSave
