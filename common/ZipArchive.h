#pragma once

#include <QByteArray>
#include <QString>

// Reading a file out of a zip archive, as files are often downloaded zipped.
namespace ZipArchive {

// True when the bytes begin the way a zip archive begins.
bool LooksLikeZip(const QByteArray& bytes);

// The contents of the one file in the archive whose name ends with the suffix (letter case
// ignored), at most maxSize bytes of it. False with *error in Russian when the archive is damaged,
// holds no such file or more than one, or the file is larger.
bool ReadOnlyFile(const QByteArray& archive, const QString& suffix, qsizetype maxSize,
                  QByteArray* contents, QString* error);

}  // namespace ZipArchive
