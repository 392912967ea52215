#include "common/ZipWriter.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace {

struct EntryFree {
    void operator()(archive_entry* entry) const { archive_entry_free(entry); }
};

}  // namespace

// Where the library hands the archive's bytes: appended to the writer's buffer.
struct ZipWriterSink {
    static la_ssize_t Append(archive*, void* self, const void* data, size_t size) {
        static_cast<ZipWriter*>(self)->m_bytes.append(static_cast<const char*>(data),
                                                      qsizetype(size));
        return la_ssize_t(size);
    }
};

ZipWriter::ZipWriter() : m_writer(archive_write_new()) {
    archive_write_set_format_zip(m_writer);
    // Names in UTF-8, flagged so, whatever the process's locale.
    archive_write_set_options(m_writer, "hdrcharset=UTF-8");
    // A zip is not written in blocks: no padding after its end.
    archive_write_set_bytes_per_block(m_writer, 0);
    if (archive_write_open2(m_writer, this, nullptr, &ZipWriterSink::Append, nullptr, nullptr) !=
        ARCHIVE_OK) {
        Fail();
    }
}

ZipWriter::~ZipWriter() {
    archive_write_free(m_writer);
}

bool ZipWriter::Fail() {
    if (m_error.isEmpty()) {
        const char* why = archive_error_string(m_writer);
        m_error =
            QStringLiteral("архив zip не записан (%1)")
                .arg(why ? QString::fromLocal8Bit(why) : QStringLiteral("неизвестная ошибка"));
    }
    return false;
}

bool ZipWriter::Add(const QString& name, unsigned int type, const QByteArray& bytes,
                    const QDateTime& modified) {
    if (!m_error.isEmpty()) {
        return false;
    }
    const std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), type);
    archive_entry_set_perm(entry.get(), type == AE_IFDIR ? 0755 : 0644);
    archive_entry_set_size(entry.get(), bytes.size());
    archive_entry_set_mtime(entry.get(), modified.toSecsSinceEpoch(), 0);
    if (archive_write_header(m_writer, entry.get()) != ARCHIVE_OK) {
        return Fail();
    }
    if (!bytes.isEmpty() &&
        archive_write_data(m_writer, bytes.constData(), size_t(bytes.size())) != bytes.size()) {
        return Fail();
    }
    return true;
}

bool ZipWriter::AddFile(const QString& name, const QByteArray& bytes, const QDateTime& modified) {
    return Add(name, AE_IFREG, bytes, modified);
}

bool ZipWriter::AddFolder(const QString& name, const QDateTime& modified) {
    return Add(name, AE_IFDIR, QByteArray(), modified);
}

bool ZipWriter::Finish(QByteArray* bytes, QString* error) {
    if (m_error.isEmpty() && archive_write_close(m_writer) != ARCHIVE_OK) {
        Fail();
    }
    if (!m_error.isEmpty()) {
        *error = m_error;
        return false;
    }
    *bytes = m_bytes;
    return true;
}
