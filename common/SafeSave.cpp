#include "common/SafeSave.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>

#include "common/FileDescriptor.h"
#include "common/SystemError.h"

namespace SafeSave {

void (*g_pBeforeReplacing)(const QString& path) = nullptr;

namespace {

// Links followed from one name to the next before the path counts as a loop, as the kernel counts.
constexpr int kMostLinks = 40;
// Temporary files of one file at a time: one for each save under way, or left by a killed one.
constexpr int kMostTemporaries = 8;

// Writes every byte to the descriptor with the system's own calls, so that a write that stops
// half way (a full disk, a file size limit) gives the system's reason.
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

// The rule of RefusedPlantedLink, for a link and its folder as they were found.
QString PlantedLink(const struct stat& link, const struct stat& folder, const QString& path) {
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    // As the kernel's rule: a link of the folder's owner is as trusted as the folder.
    if (link.st_uid == geteuid() || !shared || link.st_uid == folder.st_uid) {
        return QString();
    }
    return QStringLiteral(
               "%1 — символическая ссылка, которую создал другой пользователь в общей папке %2, "
               "куда пишут все. Запись по ней заменила бы чужой файл, поэтому файл не записан. "
               "Выберите другое имя или другую папку.")
        .arg(path, QFileInfo(path).absolutePath());
}

// The folder of a path and the last name in it: "a/b" is "a" and "b", "b" is "." and "b".
void Split(const QByteArray& path, QByteArray* folder, QByteArray* name) {
    const qsizetype slash = path.lastIndexOf('/');
    *name = path.mid(slash + 1);
    *folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// What the link, open as itself, points to; empty when it cannot be read.
QByteArray LinkTarget(int link) {
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    const ssize_t length = readlinkat(link, "", target.data(), size_t(target.size()));
    if (length <= 0 || length >= target.size()) {
        return QByteArray();
    }
    target.truncate(length);
    return target;
}

// Where a save puts its file: the folder, held open from the first look at the name to the
// rename so that no folder swapped in meanwhile receives it, and the name in it.
struct Place {
    FileDescriptor folder;
    QByteArray name;
    QString shown;  // the path of the name, for the messages
};

// Finds the place of the file at path. A link there is followed only with AtLink::Follow, and
// read through a descriptor of the link itself, so that the link judged is the link followed.
bool FindPlace(const QString& path, AtLink atLink, Place* place, QString* error) {
    QByteArray target = QFile::encodeName(path);
    place->shown = path;
    for (int links = 0;; ++links) {
        QByteArray folderPath;
        Split(target, &folderPath, &place->name);
        const int base = place->folder.IsOpen() ? place->folder.Get() : AT_FDCWD;
        const int folder = openat(base, folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0) {
            *error = SystemError::Text(errno);
            return false;
        }
        place->folder.Reset(folder);
        if (place->name.isEmpty()) {
            *error = SystemError::Text(EISDIR);
            return false;
        }
        const FileDescriptor node(
            openat(folder, place->name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!node.IsOpen() && errno == ENOENT) {
            return true;  // the file is made
        }
        struct stat status;  // of what stands at the name, a link not followed
        if (!node.IsOpen() || fstat(node.Get(), &status) != 0) {
            *error = SystemError::Text(errno);
            return false;
        }
        if (S_ISDIR(status.st_mode)) {
            *error = SystemError::Text(EISDIR);
            return false;
        }
        if (!S_ISLNK(status.st_mode) || atLink == AtLink::Replace) {
            return true;
        }
        struct stat folderStatus;
        if (links == kMostLinks || fstat(folder, &folderStatus) != 0) {
            *error = SystemError::Text(links == kMostLinks ? ELOOP : errno);
            return false;
        }
        *error = PlantedLink(status, folderStatus, place->shown);
        if (!error->isEmpty()) {
            return false;
        }
        errno = 0;
        target = LinkTarget(node.Get());
        if (target.isEmpty()) {
            *error = SystemError::Text(errno != 0 ? errno : EINVAL);
            return false;
        }
        place->shown = target.startsWith('/') ? QFile::decodeName(target)
                                              : QFileInfo(place->shown).path() + QLatin1Char('/') +
                                                    QFile::decodeName(target);
    }
}

// The name of the file's temporary number n: ".NAME.vemo-save", ".NAME.vemo-save-2", ...
QByteArray TemporaryName(const QByteArray& name, int n) {
    const QByteArray first = '.' + name + ".vemo-save";
    return n == 1 ? first : first + '-' + QByteArray::number(n);
}

// Whether the open file still stands at the name in the folder.
bool StillNamed(int folder, const QByteArray& name, int fd) {
    struct stat named;
    struct stat opened;
    return fstatat(folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

// Takes the lock a save holds on its temporary file until the rename; false while another
// process holds it. A filesystem without locks gives it to every save.
bool Lock(int fd) {
    return flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

// Removes what a killed save left at the temporary name: only a regular file of this user, with
// no other name, that no save under way holds; never a link or another program's file.
void RemoveIfLeft(int folder, const QByteArray& name) {
    const FileDescriptor left(openat(folder, name.constData(),
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status;
    if (!left.IsOpen() || fstat(left.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != geteuid() || status.st_nlink != 1) {
        return;
    }
    if (Lock(left.Get()) && StillNamed(folder, name, left.Get())) {
        unlinkat(folder, name.constData(), 0);
    }
}

// Makes the save's temporary file beside the place's name, locked, under the first of the file's
// temporary names that is free once what killed saves left is removed; -1 with *error otherwise.
int MakeTemporary(int folder, const QByteArray& target, mode_t mode, QByteArray* made,
                  QString* error) {
    int fd = -1;
    for (int n = 1; n <= kMostTemporaries; ++n) {
        const QByteArray name = TemporaryName(target, n);
        RemoveIfLeft(folder, name);
        if (fd >= 0) {
            continue;  // only to remove what is left
        }
        const int file = openat(folder, name.constData(),
                                O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (file < 0 && errno != EEXIST) {
            *error = SystemError::Text(errno);  // the folder takes no file
            return -1;
        }
        // Taken by a save under way, or by something else; or removed by another save's clean-up
        // between its making and its lock.
        if (file >= 0 && Lock(file) && StillNamed(folder, name, file)) {
            fd = file;
            *made = name;
        } else if (file >= 0) {
            close(file);
        }
    }
    if (fd < 0) {
        *error = SystemError::Text(EBUSY);
    }
    return fd;
}

// The temporary file of a save: made beside the name in the folder, written, every byte of it
// put on disk, then renamed over the name; or removed, leaving the name as it was.
struct Temporary {
    int folder = -1;
    QByteArray name;  // the file's own name in the folder
    QString shown;    // the path of the name, for the tests
    QByteArray temporary;
    FileDescriptor file;

    // A file replaced keeps its permissions; a new one is made as any new file.
    bool Make(int inFolder, const QByteArray& target, const QString& shownPath, QString* error) {
        folder = inFolder;
        name = target;
        shown = shownPath;
        struct stat old;
        const bool replacing = fstatat(folder, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
                               S_ISREG(old.st_mode);
        file.Reset(MakeTemporary(folder, name, replacing ? 0600 : 0666, &temporary, error));
        if (!file.IsOpen()) {
            return false;
        }
        if (replacing && fchmod(file.Get(), old.st_mode & 0777) != 0) {
            *error = SystemError::Text(errno);
            Discard();
            return false;
        }
        return true;
    }
    // Every byte goes to the disk while the old file still stands.
    bool Sync(QString* error) {
        if (fsync(file.Get()) != 0) {
            *error = SystemError::Text(errno);
            return false;
        }
        return true;
    }
    bool Rename(QString* error) {
        if (g_pBeforeReplacing) {
            g_pBeforeReplacing(shown);
        }
        if (renameat(folder, temporary.constData(), folder, name.constData()) != 0) {
            *error = SystemError::Text(errno);
            return false;
        }
        temporary.clear();
        return true;
    }
    void Discard() {
        if (!temporary.isEmpty()) {
            unlinkat(folder, temporary.constData(), 0);
            temporary.clear();
        }
        file.Reset();
    }
};

// Puts the bytes at the name in the folder, as ReplaceFile tells; shown names it for the tests.
bool Replace(int folder, const QByteArray& name, const QString& shown, const QByteArray& bytes,
             QString* error) {
    Temporary temporary;
    if (!temporary.Make(folder, name, shown, error)) {
        return false;
    }
    if (WriteAll(temporary.file.Get(), bytes, error) && temporary.Sync(error) &&
        temporary.Rename(error)) {
        return true;
    }
    temporary.Discard();
    return false;
}

}  // namespace

QString RefusedPlantedLink(const QString& path) {
    struct stat link;
    struct stat folder;
    if (lstat(QFile::encodeName(path).constData(), &link) != 0 || !S_ISLNK(link.st_mode) ||
        stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &folder) != 0) {
        return QString();
    }
    return PlantedLink(link, folder, path);
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error, AtLink atLink) {
    error->clear();
    Place place;
    return FindPlace(path, atLink, &place, error) &&
           Replace(place.folder.Get(), place.name, place.shown, bytes, error);
}

bool ReplaceFileIn(int folder, const QByteArray& name, const QByteArray& bytes, QString* error) {
    error->clear();
    return Replace(folder, name, QFile::decodeName(name), bytes, error);
}

bool WriteInPlace(const QString& path, const QByteArray& bytes, QString* error) {
    PendingFile file;
    return file.OpenInPlace(path, error) && file.Write(bytes, error) && file.Finish(error) &&
           file.Commit(error);
}

bool WriteToStandardOutput(const QByteArray& bytes, QString* error) {
    std::fflush(stdout);  // whatever stdio holds goes first
    return WriteAll(fileno(stdout), bytes, error);
}

bool WriteOutput(const QString& path, const QByteArray& bytes, QString* error) {
    PendingFile file;
    return file.OpenOutput(path, error) && file.Write(bytes, error) && file.Finish(error) &&
           file.Commit(error);
}

struct PendingFile::Parts {
    Place place;
    Temporary temporary;
    int stream = -1;  // standard output, a pipe or a device, written into as it goes
    FileDescriptor streamFile;
};

PendingFile::PendingFile() : m(std::make_unique<Parts>()) {}

PendingFile::~PendingFile() {
    m->temporary.Discard();
}

bool PendingFile::Open(const QString& path, QString* error, AtLink atLink) {
    error->clear();
    return FindPlace(path, atLink, &m->place, error) &&
           m->temporary.Make(m->place.folder.Get(), m->place.name, m->place.shown, error);
}

bool PendingFile::OpenInPlace(const QString& path, QString* error) {
    *error = RefusedPlantedLink(path);
    if (!error->isEmpty()) {
        return false;
    }
    // Neither made nor emptied by the open: what it opened is looked at first.
    m->streamFile.Reset(open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    struct stat status;
    if (!m->streamFile.IsOpen() || fstat(m->streamFile.Get(), &status) != 0) {
        *error = SystemError::Text(errno);
        return false;
    }
    if (S_ISREG(status.st_mode)) {
        m->streamFile.Reset();
        return Open(path, error);
    }
    m->stream = m->streamFile.Get();
    return true;
}

bool PendingFile::OpenOutput(const QString& path, QString* error) {
    error->clear();
    if (path == QLatin1String("-")) {
        std::fflush(stdout);  // whatever stdio holds goes first
        m->stream = fileno(stdout);
        return true;
    }
    // Replacing a pipe or a device would leave a regular file in its place.
    struct stat status;
    if (stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode) &&
        !S_ISDIR(status.st_mode)) {
        return OpenInPlace(path, error);
    }
    return Open(path, error);
}

bool PendingFile::Write(const QByteArray& bytes, QString* error) {
    return WriteAll(IsStream() ? m->stream : m->temporary.file.Get(), bytes, error);
}

bool PendingFile::Finish(QString* error) {
    return IsStream() || m->temporary.Sync(error);
}

bool PendingFile::Commit(QString* error) {
    return IsStream() || m->temporary.Rename(error);
}

bool PendingFile::IsStream() const {
    return m->stream >= 0;
}

}  // namespace SafeSave
