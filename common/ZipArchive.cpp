#include "common/ZipArchive.h"

#include <QStringList>

#include "common/ZipReader.h"

namespace ZipArchive {

bool LooksLikeZip(const QByteArray& bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

bool ReadOnlyFile(const QByteArray& bytes, const QString& suffix, qsizetype maxSize,
                  QByteArray* contents, QString* error) {
    ZipReader reader(bytes);
    QStringList found;
    ZipReader::Entry entry;
    while (reader.Next(&entry)) {
        if (entry.type != ZipReader::Type::File ||
            !entry.name.endsWith(suffix, Qt::CaseInsensitive)) {
            continue;
        }
        found.append(entry.name);
        if (found.size() > 1) {
            *error =
                QStringLiteral("в архиве несколько файлов %1: %2").arg(suffix, found.join(", "));
            return false;
        }
        switch (reader.Read(maxSize, contents)) {
            case ZipReader::ReadResult::Ok:
                break;
            case ZipReader::ReadResult::Damaged:
                *error = reader.DamagedText();
                return false;
            case ZipReader::ReadResult::TooLarge:
                *error = QStringLiteral("файл в архиве больше %1 МБ").arg(maxSize / (1024 * 1024));
                return false;
        }
    }
    if (reader.Damaged()) {
        *error = reader.DamagedText();
        return false;
    }
    if (found.isEmpty()) {
        *error = QStringLiteral("в архиве нет файла %1").arg(suffix);
        return false;
    }
    return true;
}

}  // namespace ZipArchive
