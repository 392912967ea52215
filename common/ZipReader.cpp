#include "common/ZipReader.h"

#include <archive.h>
#include <archive_entry.h>

void ZipReader::Free::operator()(archive* reader) const {
    archive_read_free(reader);
}

ZipReader::ZipReader(const QByteArray& bytes) : m_reader(archive_read_new()) {
    archive_read_support_format_zip(m_reader.get());
    m_damaged = archive_read_open_memory(m_reader.get(), bytes.constData(), size_t(bytes.size())) !=
                ARCHIVE_OK;
}

ZipReader::~ZipReader() = default;

QString ZipReader::DamagedText() const {
    const char* why = archive_error_string(m_reader.get());
    return QStringLiteral("архив zip поврежден (%1)")
        .arg(why ? QString::fromLocal8Bit(why) : QStringLiteral("неизвестная ошибка"));
}

bool ZipReader::Next(Entry* entry) {
    if (m_damaged) {
        return false;
    }
    archive_entry* header = nullptr;
    const int status = archive_read_next_header(m_reader.get(), &header);
    if (status != ARCHIVE_OK) {
        m_damaged = status != ARCHIVE_EOF;
        return false;
    }
    *entry = Entry();
    if (const char* utf8 = archive_entry_pathname_utf8(header)) {
        entry->name = QString::fromUtf8(utf8);
    } else if (const char* name = archive_entry_pathname(header)) {
        entry->name = QString::fromLocal8Bit(name);
    }
    switch (archive_entry_filetype(header)) {
        case AE_IFREG:
            entry->type = Type::File;
            break;
        case AE_IFDIR:
            entry->type = Type::Folder;
            break;
        case AE_IFLNK:
            entry->type = Type::Link;
            break;
        default:
            entry->type = Type::Other;
    }
    entry->hardLink = archive_entry_hardlink(header) != nullptr;
    if (archive_entry_mtime_is_set(header)) {
        entry->modified = QDateTime::fromSecsSinceEpoch(archive_entry_mtime(header));
    }
    return true;
}

ZipReader::ReadResult ZipReader::Read(qint64 maxSize, QByteArray* contents) {
    contents->clear();
    char buffer[64 * 1024];
    for (;;) {
        const la_ssize_t read = archive_read_data(m_reader.get(), buffer, sizeof buffer);
        if (read == 0) {
            return ReadResult::Ok;
        }
        if (read < 0) {
            m_damaged = true;
            return ReadResult::Damaged;
        }
        if (contents->size() + read > maxSize) {
            return ReadResult::TooLarge;
        }
        contents->append(buffer, read);
    }
}
