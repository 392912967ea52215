#include "requisites/BikImport.h"

#include <QDir>
#include <QFileInfo>

#include "common/RegularFile.h"
#include "common/ZipArchive.h"
#include "requisites/Ed807Reader.h"

namespace BikImport {
namespace {

// The full directory is well under a megabyte zipped and a few megabytes unpacked.
constexpr qsizetype kMaxFileSize = 64 * 1024 * 1024;

// The file is read only when it is a regular file: a FIFO chosen by mistake would hang the
// program, a device would never end. What stands at the name is looked at first for the reason.
bool ReadBytes(const QString& path, QByteArray* bytes, QString* error) {
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("это папка, а не файл");
        return false;
    }
    if (info.exists() && !info.isFile()) {
        *error = QStringLiteral("это не обычный файл");
        return false;
    }
    if (info.size() > kMaxFileSize) {
        *error = QStringLiteral("файл больше %1 МБ, справочник БИК не бывает таким большим")
                     .arg(kMaxFileSize / (1024 * 1024));
        return false;
    }
    switch (RegularFile::Read(path, bytes)) {
        case RegularFile::ReadResult::Ok:
            return true;
        case RegularFile::ReadResult::Missing:
            *error = QStringLiteral("файла нет");
            return false;
        case RegularFile::ReadResult::Unreadable:
            break;
    }
    *error = QStringLiteral("файл не читается");
    return false;
}

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

bool ReadFile(const QString& path, BikDirectory* directory, QString* error) {
    QByteArray bytes;
    if (!ReadBytes(path, &bytes, error)) {
        return false;
    }
    if (bytes.isEmpty()) {
        *error = QStringLiteral("файл пуст");
        return false;
    }
    if (ZipArchive::LooksLikeZip(bytes)) {
        QByteArray xml;
        if (!ZipArchive::ReadOnlyFile(bytes, QStringLiteral(".xml"), kMaxFileSize, &xml, error)) {
            return false;
        }
        bytes = xml;
    }
    return Ed807Reader::Read(bytes, directory, error);
}

Result ImportFile(const QString& path) {
    BikDirectory directory;
    QString error;
    if (!ReadFile(path, &directory, &error)) {
        return {false, QStringLiteral("Файл %1 не принят: %2. Справочник БИК не изменился.")
                           .arg(Shown(path), error)};
    }
    switch (directory.SaveKept(&error)) {
        case BikDirectory::KeepOutcome::Kept:
            break;
        case BikDirectory::KeepOutcome::WouldNotReadBack:
            return {false,
                    QStringLiteral("Файл %1 не принят: справочник в нем нельзя сохранить так, "
                                   "чтобы потом прочитать: %2. Справочник БИК не изменился.")
                        .arg(Shown(path), error)};
        case BikDirectory::KeepOutcome::NotWritten:
            return {false, QStringLiteral("Справочник БИК не сохранен в %1: %2. Прежний "
                                          "справочник не изменился.")
                               .arg(Shown(BikDirectory::KeptFilePath()), error)};
    }
    return {true, QStringLiteral("Справочник БИК от %1 загружен: банков в нем %2.")
                      .arg(directory.Date().toString(QStringLiteral("dd.MM.yyyy")))
                      .arg(directory.Count())};
}

}  // namespace BikImport
