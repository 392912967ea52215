#pragma once

#include <archive.h>
#include <archive_entry.h>

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <vector>

// A zip archive of the named files, made the way archivers make them (deflated).
inline QByteArray ZipOf(const QList<QPair<QString, QByteArray>>& files) {
    std::vector<char> buffer(1024 * 1024 + 64 * 1024);
    size_t used = 0;
    archive* writer = archive_write_new();
    archive_write_set_format_zip(writer);
    archive_write_open_memory(writer, buffer.data(), buffer.size(), &used);
    for (const auto& [name, bytes] : files) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.toUtf8().constData());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, bytes.size());
        archive_write_header(writer, entry);
        archive_write_data(writer, bytes.constData(), static_cast<size_t>(bytes.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    return QByteArray(buffer.data(), static_cast<qsizetype>(used));
}
