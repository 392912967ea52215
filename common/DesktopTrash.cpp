#include "common/DesktopTrash.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>

namespace DesktopTrash {
namespace {

// Names tried for one file before the trash is given up: vemo.7, vemo.7.2, ... vemo.7.100.
constexpr int kMostNames = 100;

bool IsFolder(const QByteArray& path) {
    struct stat status;
    return stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

// A folder of the trash, made when it is missing, as the desktop would.
bool EnsureFolder(const QByteArray& path) {
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    return IsFolder(path);
}

// The trash's two folders, made where needed; false when the data folder itself is missing
// (the desktop has none, and none is made) or anything at their places is not a folder.
bool PrepareTrash(const QByteArray& trash) {
    const QByteArray dataFolder = QFile::encodeName(QFileInfo(QFile::decodeName(trash)).path());
    return IsFolder(dataFolder) && EnsureFolder(trash) && EnsureFolder(trash + "/files") &&
           EnsureFolder(trash + "/info");
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

// What the info file says: the original place, escaped as in a URL, and the local time.
QByteArray InfoText(const QString& absolutePath) {
    return "[Trash Info]\nPath=" + QFile::encodeName(absolutePath).toPercentEncoding("/") +
           "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() +
           "\n";
}

enum class Claim { Made, Taken, Failed };

// Makes the info file of a name, which claims the name: O_EXCL makes it fail when the name is
// another file's. An info file that could not be written whole is removed at once.
Claim ClaimName(const QByteArray& infoPath, const QByteArray& text) {
    const int fd = open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno == EEXIST ? Claim::Taken : Claim::Failed;
    }
    const bool written = WriteAll(fd, text) && fsync(fd) == 0;
    if (close(fd) != 0 || !written) {
        unlink(infoPath.constData());
        return Claim::Failed;
    }
    return Claim::Made;
}

enum class Move { Moved, Taken, Failed };

// Renames the file into files/ without replacing a file that stands there (left by another
// program without its info file).
Move MoveInto(const QByteArray& from, const QByteArray& to) {
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
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
    if (lstat(to.constData(), &status) == 0) {
        return Move::Taken;
    }
    return rename(from.constData(), to.constData()) == 0 ? Move::Moved : Move::Failed;
}

// Gives the file a second name in files/, never replacing one that stands there.
Move LinkInto(const QByteArray& from, const QByteArray& to) {
    if (link(from.constData(), to.constData()) == 0) {
        return Move::Moved;
    }
    return errno == EEXIST ? Move::Taken : Move::Failed;
}

QByteArray NameInTrash(const QByteArray& name, int attempt) {
    return attempt == 1 ? name : name + '.' + QByteArray::number(attempt);
}

}  // namespace

QString Folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Trash");
}

namespace {

// Puts the file in the trash by the move given, under the first free name, its info file first.
Result PlaceInTrash(const QString& path, Move (*place)(const QByteArray&, const QByteArray&)) {
    const QFileInfo file(path);
    const QByteArray from = QFile::encodeName(path);
    struct stat status;
    if (lstat(from.constData(), &status) != 0 || S_ISDIR(status.st_mode)) {
        return Result::Failed;
    }
    if (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).isEmpty()) {
        return Result::NoTrash;  // no home to keep a trash in
    }
    const QByteArray trash = QFile::encodeName(Folder());
    if (!PrepareTrash(trash)) {
        return Result::NoTrash;
    }
    struct stat trashStatus;
    if (stat(trash.constData(), &trashStatus) != 0 || trashStatus.st_dev != status.st_dev) {
        return Result::NoTrash;  // neither a rename nor a link can take it there
    }
    const QByteArray text = InfoText(file.absoluteFilePath());
    const QByteArray name = QFile::encodeName(file.fileName());
    for (int attempt = 1; attempt <= kMostNames; ++attempt) {
        const QByteArray candidate = NameInTrash(name, attempt);
        const QByteArray info = trash + "/info/" + candidate + ".trashinfo";
        const Claim claim = ClaimName(info, text);
        if (claim == Claim::Taken) {
            continue;
        }
        if (claim == Claim::Failed) {
            return Result::Failed;
        }
        const Move move = place(from, trash + "/files/" + candidate);
        if (move == Move::Moved) {
            return Result::Trashed;
        }
        unlink(info.constData());  // it would describe no file
        if (move == Move::Failed) {
            return Result::Failed;
        }
    }
    return Result::Failed;
}

}  // namespace

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

}  // namespace DesktopTrash
