#pragma once

#include <QByteArray>
#include <QString>

// Reading a data file without ever waiting on what stands at its name. Only a regular file is
// read: a FIFO would block the reader until some other program writes into it, and a device such
// as /dev/zero would never end. Anything else at the name, or a file larger than any address book
// or order could be, is unreadable.
namespace RegularFile {

enum class ReadResult {
    Ok,          // the file was read
    Missing,     // nothing at the name (a link to nothing included)
    Unreadable,  // something is there, but not a regular file that could be read whole
};

// Far above any real data file; a larger file is taken for something that is not one.
constexpr qint64 kMostBytes = qint64(256) * 1024 * 1024;

// Reads the file at the path (in the system's encoding) into *buffer from its start, growing the
// buffer as needed but never shrinking it, so that a reader of many files reuses one; *size is
// the count of the file's bytes and 0 unless Ok. The open never blocks, and what was opened is
// checked to be a regular file before a byte is read.
ReadResult Read(const char* path, QByteArray* buffer, qsizetype* size);

// The same, with the bytes exactly the file's.
ReadResult Read(const QString& path, QByteArray* bytes);

}  // namespace RegularFile
