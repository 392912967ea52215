#include "common/ZipArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <QStringList>
#include <memory>

namespace ZipArchive {
namespace {

struct ArchiveFree {
    void operator()(archive* reader) const { archive_read_free(reader); }
};
using Reader = std::unique_ptr<archive, ArchiveFree>;

QString Damaged(archive* reader) {
    const char* why = archive_error_string(reader);
    return QStringLiteral("архив zip поврежден (%1)")
        .arg(why ? QString::fromLocal8Bit(why) : QStringLiteral("неизвестная ошибка"));
}

// Reads the current entry whole; false when it is damaged or larger than maxSize.
bool ReadEntry(archive* reader, qsizetype maxSize, QByteArray* contents, QString* error) {
    contents->clear();
    char buffer[64 * 1024];
    for (;;) {
        const la_ssize_t read = archive_read_data(reader, buffer, sizeof buffer);
        if (read == 0) {
            return true;
        }
        if (read < 0) {
            *error = Damaged(reader);
            return false;
        }
        if (contents->size() + read > maxSize) {
            *error = QStringLiteral("файл в архиве больше %1 МБ").arg(maxSize / (1024 * 1024));
            return false;
        }
        contents->append(buffer, read);
    }
}

QString EntryName(archive_entry* entry) {
    if (const char* utf8 = archive_entry_pathname_utf8(entry)) {
        return QString::fromUtf8(utf8);
    }
    const char* name = archive_entry_pathname(entry);
    return name ? QString::fromLocal8Bit(name) : QString();
}

}  // namespace

bool LooksLikeZip(const QByteArray& bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

bool ReadOnlyFile(const QByteArray& bytes, const QString& suffix, qsizetype maxSize,
                  QByteArray* contents, QString* error) {
    const Reader reader(archive_read_new());
    archive_read_support_format_zip(reader.get());
    if (archive_read_open_memory(reader.get(), bytes.constData(),
                                 static_cast<size_t>(bytes.size())) != ARCHIVE_OK) {
        *error = Damaged(reader.get());
        return false;
    }
    QStringList found;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const QString name = EntryName(entry);
        if (archive_entry_filetype(entry) != AE_IFREG ||
            !name.endsWith(suffix, Qt::CaseInsensitive)) {
            continue;
        }
        found.append(name);
        if (found.size() > 1) {
            *error =
                QStringLiteral("в архиве несколько файлов %1: %2").arg(suffix, found.join(", "));
            return false;
        }
        if (!ReadEntry(reader.get(), maxSize, contents, error)) {
            return false;
        }
    }
    if (status != ARCHIVE_EOF) {
        *error = Damaged(reader.get());
        return false;
    }
    if (found.isEmpty()) {
        *error = QStringLiteral("в архиве нет файла %1").arg(suffix);
        return false;
    }
    return true;
}

}  // namespace ZipArchive
