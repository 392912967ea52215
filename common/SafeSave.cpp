#include "common/SafeSave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>

#include "common/SystemError.h"

namespace SafeSave {
namespace {

// The reason of the last failed call, or the toolkit's words when the system left none.
QString Reason(int errorNumber, const QFileDevice& file) {
    return errorNumber != 0 ? SystemError::Text(errorNumber) : file.errorString();
}

// Writes every byte to the descriptor with the system's own calls, so that a write that stops
// half way (a full disk, a file size limit) gives the system's reason; the toolkit's buffered
// write says only "Unknown error" then.
bool WriteAll(int fd, const QByteArray& bytes, QString* error) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            *error = SystemError::Text(written < 0 ? errno : ENOSPC);
            return false;
        }
        data += written;
        left -= qsizetype(written);
    }
    return true;
}

// Opens the file, the reason taken the moment the open fails. The toolkit refuses a folder
// before asking the system, so that reason is named here.
bool Open(QFileDevice& file, const QString& path, QString* error) {
    errno = 0;
    if (file.open(QIODevice::WriteOnly)) {
        return true;
    }
    *error = Reason(QFileInfo(path).isDir() ? EISDIR : errno, file);
    return false;
}

}  // namespace

QString RefusedPlantedLink(const QString& path) {
    struct stat link;
    if (lstat(QFile::encodeName(path).constData(), &link) != 0 || !S_ISLNK(link.st_mode) ||
        link.st_uid == geteuid()) {
        return QString();
    }
    struct stat folder;
    const QString folderPath = QFileInfo(path).absolutePath();
    if (stat(QFile::encodeName(folderPath).constData(), &folder) != 0) {
        return QString();
    }
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    // As the kernel's rule: a link of the folder's owner is as trusted as the folder.
    if (!shared || link.st_uid == folder.st_uid) {
        return QString();
    }
    return QStringLiteral(
               "%1 — символическая ссылка, которую создал другой пользователь в общей папке %2, "
               "куда пишут все. Запись по ней заменила бы чужой файл, поэтому файл не записан. "
               "Выберите другое имя или другую папку.")
        .arg(path, folderPath);
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
    *error = RefusedPlantedLink(path);
    if (!error->isEmpty()) {
        return false;
    }
    QSaveFile file(path);
    if (!Open(file, path, error)) {
        return false;
    }
    // Every byte goes to the temporary file and to the disk while the old file still stands:
    // commit() would rename a short file over it as well.
    errno = 0;
    if (!WriteAll(file.handle(), bytes, error) || fsync(file.handle()) != 0) {
        if (error->isEmpty()) {
            *error = SystemError::Text(errno);
        }
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return false;
    }
    errno = 0;
    if (!file.commit()) {
        *error = Reason(errno, file);
        return false;
    }
    return true;
}

bool WriteInPlace(const QString& path, const QByteArray& bytes, QString* error) {
    *error = RefusedPlantedLink(path);
    if (!error->isEmpty()) {
        return false;
    }
    QFile file(path);
    return Open(file, path, error) && WriteAll(file.handle(), bytes, error);
}

bool WriteToStandardOutput(const QByteArray& bytes, QString* error) {
    std::fflush(stdout);  // whatever stdio holds goes first
    return WriteAll(fileno(stdout), bytes, error);
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
