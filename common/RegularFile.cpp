#include "common/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>

namespace RegularFile {
namespace {

// Opens without waiting for a FIFO's writer and without taking a terminal as the process's own.
int OpenWithoutBlocking(const char* path) {
    int fd;
    do {
        fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Reads to the end of the open file; false on a read error, or when it holds more than the cap
// (it may have grown since it was measured).
bool ReadToEnd(int fd, qint64 expected, QByteArray* buffer, qsizetype* size) {
    // One byte more than the file's size lets its end be seen without growing the buffer.
    const qsizetype room = qsizetype(std::min(expected, kMostBytes) + 1);
    if (buffer->size() < room) {
        buffer->resize(room);
    }
    qsizetype used = 0;
    for (;;) {
        if (used == buffer->size()) {
            if (used > kMostBytes) {
                return false;
            }
            buffer->resize(qsizetype(std::min<qint64>(qint64(used) * 2, kMostBytes + 1)));
        }
        const ssize_t got = read(fd, buffer->data() + used, size_t(buffer->size() - used));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            *size = used;
            return true;
        }
        used += qsizetype(got);
    }
}

}  // namespace

ReadResult Read(const char* path, QByteArray* buffer, qsizetype* size) {
    *size = 0;
    const int fd = OpenWithoutBlocking(path);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Unreadable;
    }
    // What was opened, not what the name showed a moment before.
    struct stat status;
    const bool regular =
        fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && qint64(status.st_size) <= kMostBytes;
    const bool read = regular && ReadToEnd(fd, qint64(status.st_size), buffer, size);
    close(fd);
    if (!read) {
        *size = 0;
        return ReadResult::Unreadable;
    }
    return ReadResult::Ok;
}

ReadResult Read(const QString& path, QByteArray* bytes) {
    qsizetype size = 0;
    const ReadResult result = Read(QFile::encodeName(path).constData(), bytes, &size);
    bytes->resize(size);
    return result;
}

}  // namespace RegularFile
