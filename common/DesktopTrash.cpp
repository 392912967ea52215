#include "common/DesktopTrash.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QByteArrayList>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

#include "common/FileDescriptor.h"
#include "common/SafeSave.h"

namespace DesktopTrash {
namespace {

// Names tried for one file: vemo.7, vemo.7.2, ... vemo.7.100.
constexpr int kMostNames = 100;
// Far above what an info file of one path and one date holds.
constexpr qsizetype kMostInfoBytes = 64 * 1024;

// A folder of the trash in the parent, made when missing as the desktop would; -1 unless it is a
// real folder of this user's, not a link.
int OpenOwnFolder(int parent, const char* name) {
    if (mkdirat(parent, name, 0700) != 0 && errno != EEXIST) {
        return -1;
    }
    FileDescriptor folder(openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat status;
    if (!folder.IsOpen() || fstat(folder.Get(), &status) != 0 || status.st_uid != geteuid()) {
        return -1;
    }
    return folder.Release();
}

// The trash's two folders, held open from the check that they are the user's own to their use.
struct Trash {
    FileDescriptor files;
    FileDescriptor info;
    dev_t device = 0;  // of files/
};

// Opens the trash, made where needed; false when the data folder itself is missing (the desktop
// has none, and none is made) or the trash or one of its folders is not a folder of the user's.
bool OpenTrash(Trash* trash) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) {
        return false;  // no home to keep a trash in
    }
    // The data folder may be a link (kept on another disk); the trash in it may not.
    const FileDescriptor dataFolder(
        open(QFile::encodeName(data).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const FileDescriptor folder(dataFolder.IsOpen() ? OpenOwnFolder(dataFolder.Get(), "Trash")
                                                    : -1);
    if (!folder.IsOpen()) {
        return false;
    }
    trash->files.Reset(OpenOwnFolder(folder.Get(), "files"));
    trash->info.Reset(OpenOwnFolder(folder.Get(), "info"));
    struct stat status;
    if (!trash->files.IsOpen() || !trash->info.IsOpen() ||
        fstat(trash->files.Get(), &status) != 0) {
        return false;
    }
    trash->device = status.st_dev;
    return true;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += qsizetype(written);
    }
    return true;
}

// The original place as the info file tells it: escaped as in a URL.
QByteArray PlaceText(const QString& absolutePath) {
    return QFile::encodeName(absolutePath).toPercentEncoding("/");
}

// What the info file says: the original place and the local time.
QByteArray InfoText(const QString& absolutePath) {
    return "[Trash Info]\nPath=" + PlaceText(absolutePath) + "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() +
           "\n";
}

QByteArray InfoName(const QByteArray& name) {
    return name + ".trashinfo";
}

enum class Claim { Made, Taken, Failed };

// Makes the info file of a name, which claims the name: O_EXCL makes it fail when the name is
// another file's. An info file that could not be written whole is removed at once.
Claim ClaimName(int info, const QByteArray& name, const QByteArray& text) {
    const QByteArray infoName = InfoName(name);
    const int fd = openat(info, infoName.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno == EEXIST ? Claim::Taken : Claim::Failed;
    }
    const bool written = WriteAll(fd, text) && fsync(fd) == 0;
    if (close(fd) != 0 || !written) {
        unlinkat(info, infoName.constData(), 0);
        return Claim::Failed;
    }
    return Claim::Made;
}

enum class Move { Moved, Taken, Failed };
using Mover = Move (*)(const QByteArray& from, int files, const QByteArray& to);

// Renames the file into files/ without replacing a file that stands there (left by another
// program without its info file).
Move MoveInto(const QByteArray& from, int files, const QByteArray& to) {
    if (renameat2(AT_FDCWD, from.constData(), files, to.constData(), RENAME_NOREPLACE) == 0) {
        return Move::Moved;
    }
    if (errno == EEXIST) {
        return Move::Taken;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return Move::Failed;
    }
    // A filesystem that cannot refuse to replace: look first.
    struct stat status;
    if (fstatat(files, to.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        return Move::Taken;
    }
    return renameat(AT_FDCWD, from.constData(), files, to.constData()) == 0 ? Move::Moved
                                                                            : Move::Failed;
}

// Gives the file a second name in files/, never replacing one that stands there.
Move LinkInto(const QByteArray& from, int files, const QByteArray& to) {
    if (linkat(AT_FDCWD, from.constData(), files, to.constData(), 0) == 0) {
        return Move::Moved;
    }
    return errno == EEXIST ? Move::Taken : Move::Failed;
}

QByteArray NameInTrash(const QByteArray& name, int attempt) {
    return attempt == 1 ? name : name + '.' + QByteArray::number(attempt);
}

// A copy the trash holds of the file being put there, by the age its info file tells.
struct Copy {
    QByteArray name;
    QByteArray deleted;  // DeletionDate, which sorts as text
    timespec written{};  // of the info file, for copies of one second
};

bool IsOlder(const Copy& a, const Copy& b) {
    if (a.deleted != b.deleted) {
        return a.deleted < b.deleted;
    }
    if (a.written.tv_sec != b.written.tv_sec) {
        return a.written.tv_sec < b.written.tv_sec;
    }
    return a.written.tv_nsec < b.written.tv_nsec;
}

// Whether the name in the trash holds a copy of the file at place (an info file that tells the
// same place, and no folder in files/); *copy then tells its age.
bool ReadCopy(const Trash& trash, const QByteArray& name, const QByteArray& place, Copy* copy) {
    const FileDescriptor info(openat(trash.info.Get(), InfoName(name).constData(),
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (!info.IsOpen() || fstat(info.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > kMostInfoBytes) {
        return false;
    }
    QByteArray text(qsizetype(status.st_size), Qt::Uninitialized);
    if (read(info.Get(), text.data(), size_t(text.size())) != text.size()) {
        return false;
    }
    struct stat file;
    if (fstatat(trash.files.Get(), name.constData(), &file, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISDIR(file.st_mode)) {
        return false;
    }
    bool same = false;
    copy->name = name;
    copy->written = status.st_mtim;
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith("Path=")) {
            same = QByteArray::fromPercentEncoding(line.mid(5)) ==
                   QByteArray::fromPercentEncoding(place);
        } else if (line.startsWith("DeletionDate=")) {
            copy->deleted = line.mid(13);
        }
    }
    return same;
}

// Every name taken: the oldest copy of the same file gives its name to this one, its info file
// then telling the new date.
Result ReuseOldest(const Trash& trash, const QByteArray& from, const QByteArray& name,
                   const QString& absolutePath, Mover place) {
    Copy oldest;
    const QByteArray placeText = PlaceText(absolutePath);
    for (int attempt = 1; attempt <= kMostNames; ++attempt) {
        Copy copy;
        if (ReadCopy(trash, NameInTrash(name, attempt), placeText, &copy) &&
            (oldest.name.isEmpty() || IsOlder(copy, oldest))) {
            oldest = copy;
        }
    }
    if (oldest.name.isEmpty()) {
        return Result::Failed;
    }
    if ((unlinkat(trash.files.Get(), oldest.name.constData(), 0) != 0 && errno != ENOENT) ||
        place(from, trash.files.Get(), oldest.name) != Move::Moved) {
        return Result::Failed;
    }
    // Should this fail, the info file still tells the same place, with the older date.
    QString error;
    SafeSave::ReplaceFileIn(trash.info.Get(), InfoName(oldest.name), InfoText(absolutePath),
                            &error);
    return Result::Trashed;
}

// Puts the file in the trash by the move given, under the first free name, its info file first.
Result PlaceInTrash(const QString& path, Mover place) {
    const QByteArray from = QFile::encodeName(path);
    struct stat status;
    if (lstat(from.constData(), &status) != 0 || S_ISDIR(status.st_mode)) {
        return Result::Failed;
    }
    Trash trash;
    if (!OpenTrash(&trash)) {
        return Result::NoTrash;
    }
    if (trash.device != status.st_dev) {
        return Result::NoTrash;  // neither a rename nor a link can take it there
    }
    const QFileInfo file(path);
    const QByteArray text = InfoText(file.absoluteFilePath());
    const QByteArray name = QFile::encodeName(file.fileName());
    for (int attempt = 1; attempt <= kMostNames; ++attempt) {
        const QByteArray candidate = NameInTrash(name, attempt);
        const Claim claim = ClaimName(trash.info.Get(), candidate, text);
        if (claim == Claim::Taken) {
            continue;
        }
        if (claim == Claim::Failed) {
            return Result::Failed;
        }
        const Move move = place(from, trash.files.Get(), candidate);
        if (move == Move::Moved) {
            return Result::Trashed;
        }
        unlinkat(trash.info.Get(), InfoName(candidate).constData(), 0);  // it would tell of no file
        if (move == Move::Failed) {
            return Result::Failed;
        }
    }
    return ReuseOldest(trash, from, name, file.absoluteFilePath(), place);
}

}  // namespace

QString Folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Trash");
}

Result MoveToTrash(const QString& path) {
    return PlaceInTrash(path, MoveInto);
}

Result KeepInTrash(const QString& path) {
    struct stat status;
    if (lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return Result::Failed;
    }
    return PlaceInTrash(path, LinkInto);
}

Removal Remove(const QString& path) {
    if (MoveToTrash(path) == Result::Trashed) {
        return Removal::MovedToTrash;
    }
    // A folder is never unlinked.
    return unlink(QFile::encodeName(path).constData()) == 0 ? Removal::RemovedForGood
                                                            : Removal::Failed;
}

}  // namespace DesktopTrash
