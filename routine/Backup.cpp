#include "routine/Backup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <functional>

#include "common/RegularFile.h"
#include "common/SafeSave.h"
#include "common/SystemError.h"
#include "common/ZipReader.h"
#include "common/ZipWriter.h"
#include "routine/BackupManifest.h"
#include "routine/KeptData.h"

namespace Backup {

bool (*g_pRenameFault)(const QString& from) = nullptr;

namespace {

const QString kKeptCopies = QStringLiteral("Backups");
constexpr qsizetype kMostNamesTold = 10;

// The data of a working folder, read for a copy.
struct Collected {
    QStringList dirs;
    QStringList files;
    QMap<QString, QByteArray> bytes;
    QMap<QString, QDateTime> modified;
    QStringList unreadable;
};

void CollectFile(const QString& name, const QFileInfo& info, Collected* data) {
    QByteArray bytes;
    if (name.contains(u'\n') || name.contains(u'\r') ||
        RegularFile::Read(info.filePath(), &bytes) != RegularFile::ReadResult::Ok) {
        data->unreadable.append(name);
        return;
    }
    data->files.append(name);
    data->bytes.insert(name, bytes);
    data->modified.insert(name, info.lastModified());
}

// Everything in a folder of the data. A link to a file is read as the file; a link to a folder or
// to nothing, a FIFO or a device is named, never passed over.
void CollectFolder(const QString& name, const QString& path, Collected* data) {
    data->dirs.append(name);
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString entry = name + it.filePath().mid(path.size());  // "/" and the path inside
        if (info.isDir() && !info.isSymLink()) {
            data->dirs.append(entry);
        } else if (info.isFile()) {
            CollectFile(entry, info, data);
        } else {
            data->unreadable.append(entry);
        }
    }
}

bool Exists(const QString& path) {
    struct stat status;
    return lstat(QFile::encodeName(path).constData(), &status) == 0;
}

Collected Collect(const QDir& folder) {
    Collected data;
    for (const KeptData& part : KeptData::All()) {
        const QString path = folder.filePath(part.name);
        if (!Exists(path)) {
            continue;
        }
        const QFileInfo info(path);
        if (part.kind == KeptData::Kind::Book && info.isFile()) {
            CollectFile(part.name, info, &data);
        } else if (part.kind == KeptData::Kind::Folder && info.isDir()) {
            CollectFolder(part.name, path, &data);
        } else {
            data.unreadable.append(part.name);
        }
    }
    data.dirs.sort();
    data.files.sort();
    return data;
}

QString NamesTold(const QStringList& names) {
    QStringList told = names.mid(0, kMostNamesTold);
    if (names.size() > kMostNamesTold) {
        told.append(QStringLiteral("и еще %1").arg(names.size() - kMostNamesTold));
    }
    return told.join(QStringLiteral(", "));
}

// What is done with each file of a copy as it is read and checked.
using FileSink = std::function<bool(const QString& name, const QByteArray& bytes,
                                    const QDateTime& modified, QString* error)>;

// Checks one entry after the description, and hands a file to the sink.
bool ReadEntry(ZipReader& reader, const ZipReader::Entry& entry, const BackupManifest& manifest,
               QSet<QString>* seen, const FileSink& sink, QString* error) {
    QString name = entry.name;
    if (entry.type == ZipReader::Type::Folder && name.endsWith(u'/')) {
        name.chop(1);
    }
    *error = BackupManifest::UnsafeName(name);
    if (!error->isEmpty()) {
        return false;
    }
    if (entry.type == ZipReader::Type::Link || entry.hardLink) {
        *error = QStringLiteral("в копии есть ссылка «%1»").arg(name);
        return false;
    }
    if (entry.type == ZipReader::Type::Folder) {
        if (!manifest.dirs.contains(name)) {
            *error = BackupManifest::NotData(name);
            return false;
        }
        return true;
    }
    const auto listed = manifest.files.find(name);
    if (entry.type != ZipReader::Type::File || listed == manifest.files.end()) {
        *error = BackupManifest::NotData(name);
        return false;
    }
    if (seen->contains(name)) {
        *error = QStringLiteral("файл «%1» в копии дважды").arg(name);
        return false;
    }
    seen->insert(name);
    // Never more than the description says: a small zip may inflate to fill the disk.
    QByteArray bytes;
    const ZipReader::ReadResult read = reader.Read(listed->size, &bytes);
    if (read == ZipReader::ReadResult::Damaged) {
        *error = reader.DamagedText();
        return false;
    }
    if (read == ZipReader::ReadResult::TooLarge) {
        *error = QStringLiteral("файл «%1» в копии больше, чем сказано в ее описании").arg(name);
        return false;
    }
    if (bytes.size() != listed->size || BackupManifest::Checksum(bytes) != listed->sha256) {
        *error = QStringLiteral("файл «%1» в копии поврежден").arg(name);
        return false;
    }
    return sink(name, bytes, entry.modified, error);
}

// Reads the copy at path, checking every entry against its description, and hands each file to
// the sink. False with the reason at the first thing wrong.
bool ReadCopy(const QString& path, BackupManifest* manifest, const FileSink& sink, QString* error) {
    QByteArray zip;
    switch (RegularFile::Read(path, &zip)) {
        case RegularFile::ReadResult::Ok:
            break;
        case RegularFile::ReadResult::Missing:
            *error = QStringLiteral("нет такого файла");
            return false;
        case RegularFile::ReadResult::Unreadable:
            *error = QStringLiteral("файл не читается (это не обычный файл, или он больше %1 МБ)")
                         .arg(RegularFile::kMostBytes / (1024 * 1024));
            return false;
    }
    ZipReader reader(zip);
    ZipReader::Entry entry;
    if (!reader.Next(&entry)) {
        *error = reader.Damaged() ? reader.DamagedText() : QStringLiteral("архив пуст");
        return false;
    }
    QByteArray described;
    if (entry.name != BackupManifest::EntryName() || entry.type != ZipReader::Type::File) {
        *error = QStringLiteral("в архиве нет описания копии (%1): это не копия данных программы")
                     .arg(BackupManifest::EntryName());
        return false;
    }
    if (reader.Read(BackupManifest::kMostBytes, &described) != ZipReader::ReadResult::Ok) {
        *error =
            reader.Damaged() ? reader.DamagedText() : QStringLiteral("описание копии повреждено");
        return false;
    }
    if (!manifest->Read(described, error)) {
        return false;
    }
    QSet<QString> seen;
    while (reader.Next(&entry)) {
        if (!ReadEntry(reader, entry, *manifest, &seen, sink, error)) {
            return false;
        }
    }
    if (reader.Damaged()) {
        *error = reader.DamagedText();
        return false;
    }
    for (const QString& name : manifest->fileNames) {
        if (!seen.contains(name)) {
            *error = QStringLiteral("в копии нет файла «%1»: она неполная").arg(name);
            return false;
        }
    }
    return true;
}

QString CannotRestore(const QString& path, const QString& reason) {
    return QStringLiteral("Данные не восстановлены из %1: %2").arg(path, reason);
}

bool Rename(const QString& from, const QString& to, QString* error) {
    errno = 0;
    if ((g_pRenameFault && g_pRenameFault(from)) ||
        ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        *error = QStringLiteral("%1: %2").arg(from, SystemError::Text(errno ? errno : EIO));
        return false;
    }
    return true;
}

// Writes the copy's files beside the data, in a folder of their own.
bool Stage(const QString& path, const QTemporaryDir& staging, BackupManifest* manifest,
           BackupSummary* summary, QString* error) {
    const QDir into(staging.path());
    BackupSummary::Counter counter;
    const FileSink write = [&](const QString& name, const QByteArray& bytes,
                               const QDateTime& modified, QString* reason) {
        const QString target = into.filePath(name);
        if (!into.mkpath(QFileInfo(target).path()) ||
            !SafeSave::ReplaceFile(target, bytes, reason)) {
            *reason = QStringLiteral("не могу записать %1: %2").arg(target, *reason);
            return false;
        }
        QFile file(target);
        if (modified.isValid() && file.open(QIODevice::Append)) {
            file.setFileTime(modified, QFileDevice::FileModificationTime);
        }
        counter.File(name, bytes);
        return true;
    };
    if (!ReadCopy(path, manifest, write, error)) {
        return false;
    }
    for (const QString& dir : manifest->dirs) {
        if (!into.mkpath(dir)) {
            *error = QStringLiteral("не могу создать папку %1").arg(into.filePath(dir));
            return false;
        }
    }
    // The copy's files are on the disk before they take the data's place.
    const int fd = ::open(QFile::encodeName(staging.path()).constData(), O_RDONLY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
    for (const QString& dir : manifest->dirs) {
        counter.Folder(dir);
    }
    *summary = counter.Summary(manifest->made, manifest->folder);
    return true;
}

// Keeps the folder's data as a copy in KeptCopiesFolder() before it is replaced.
bool KeepCurrent(const QDir& folder, const QDateTime& now, QString* keptCopy, QString* error) {
    QByteArray zip;
    BackupSummary summary;
    if (!Make(folder, now, &zip, &summary, error)) {
        return false;
    }
    if (!folder.mkpath(kKeptCopies)) {
        *error = QStringLiteral("не могу создать папку %1").arg(folder.filePath(kKeptCopies));
        return false;
    }
    const QString stem =
        QStringLiteral("vemo-before-restore-") + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString name = stem + QStringLiteral(".zip");
    for (int n = 2; Exists(folder.filePath(kKeptCopies + u'/' + name)); ++n) {
        name = stem + QStringLiteral("-%1.zip").arg(n);
    }
    *keptCopy = folder.absoluteFilePath(kKeptCopies + u'/' + name);
    return SafeSave::ReplaceFile(*keptCopy, zip, error);
}

struct Moved {
    QString from;
    QString to;
};

// Puts the staged parts in the data's place, the data's parts moved aside first into replaced; on
// a failure, puts back what was moved. False with the reason, which names the folder the data was
// left in when even putting it back failed.
bool Swap(const QDir& folder, const QTemporaryDir& staging, QTemporaryDir& replaced,
          QString* error) {
    QList<Moved> done;
    const auto move = [&done, error](const QString& from, const QString& to) {
        if (!Rename(from, to, error)) {
            return false;
        }
        done.append({from, to});
        return true;
    };
    for (const KeptData& part : KeptData::All()) {
        const QString current = folder.filePath(part.name);
        const QString staged = QDir(staging.path()).filePath(part.name);
        if ((Exists(current) && !move(current, QDir(replaced.path()).filePath(part.name))) ||
            (Exists(staged) && !move(staged, current))) {
            for (auto it = done.rbegin(); it != done.rend(); ++it) {
                if (::rename(QFile::encodeName(it->to).constData(),
                             QFile::encodeName(it->from).constData()) != 0) {
                    replaced.setAutoRemove(false);
                    *error += QStringLiteral("; данные, что были в рабочей папке, остались в %1")
                                  .arg(replaced.path());
                    break;
                }
            }
            return false;
        }
    }
    return true;
}

}  // namespace

QString ProposedFileName(const QDate& day) {
    return QStringLiteral("vemo-%1.zip").arg(day.toString(QStringLiteral("yyyy-MM-dd")));
}

QString NewCopyPath(const QDir& into, const QDate& day) {
    const QString stem = QFileInfo(ProposedFileName(day)).completeBaseName();
    QString path = into.absoluteFilePath(ProposedFileName(day));
    for (int n = 2; Exists(path); ++n) {
        path = into.absoluteFilePath(QStringLiteral("%1-%2.zip").arg(stem).arg(n));
    }
    return path;
}

QString KeptCopiesFolder() {
    return kKeptCopies;
}

bool Make(const QDir& folder, const QDateTime& now, QByteArray* zip, BackupSummary* summary,
          QString* error) {
    const Collected data = Collect(folder);
    if (!data.unreadable.isEmpty()) {
        *error = QStringLiteral("Копия не сделана: не могу прочитать %1 в папке %2")
                     .arg(NamesTold(data.unreadable), folder.absolutePath());
        return false;
    }
    BackupManifest manifest;
    manifest.made = now;
    manifest.folder = folder.absolutePath();
    manifest.dirs = data.dirs;
    for (const QString& file : data.files) {
        manifest.AddFile(file, data.bytes[file]);
    }
    BackupSummary::Counter counter;
    ZipWriter writer;
    writer.AddFile(BackupManifest::EntryName(), manifest.Bytes(), now);
    for (const QString& dir : data.dirs) {
        writer.AddFolder(dir + u'/', now);
        counter.Folder(dir);
    }
    for (const QString& file : data.files) {
        writer.AddFile(file, data.bytes[file], data.modified[file]);
        counter.File(file, data.bytes[file]);
    }
    QString reason;
    if (!writer.Finish(zip, &reason)) {
        *error = QStringLiteral("Копия не сделана: ") + reason;
        return false;
    }
    *summary = counter.Summary(now, folder.absolutePath());
    return true;
}

bool Save(const QDir& folder, const QString& path, const QDateTime& now, BackupSummary* summary,
          QString* error) {
    const QString inFolder = folder.relativeFilePath(QFileInfo(path).absoluteFilePath());
    if (path != QLatin1String("-") && KeptData::PartOf(inFolder, false) >= 0) {
        *error = QStringLiteral(
                     "Копия не сделана: %1 — среди данных, которые она копирует; "
                     "выберите другую папку")
                     .arg(path);
        return false;
    }
    QByteArray zip;
    if (!Make(folder, now, &zip, summary, error)) {
        return false;
    }
    QString reason;
    if (!SafeSave::WriteOutput(path, zip, &reason)) {
        *error = QStringLiteral("Не могу записать копию %1: %2").arg(path, reason);
        return false;
    }
    return true;
}

bool Inspect(const QString& path, BackupSummary* summary, QString* error) {
    BackupManifest manifest;
    BackupSummary::Counter counter;
    const FileSink count = [&counter](const QString& name, const QByteArray& bytes,
                                      const QDateTime&, QString*) {
        counter.File(name, bytes);
        return true;
    };
    if (!ReadCopy(path, &manifest, count, error)) {
        *error = CannotRestore(path, *error);
        return false;
    }
    for (const QString& dir : manifest.dirs) {
        counter.Folder(dir);
    }
    *summary = counter.Summary(manifest.made, manifest.folder);
    return true;
}

bool Restore(const QDir& folder, const QString& path, const QDateTime& now, QString* keptCopy,
             BackupSummary* summary, QString* error) {
    // The hidden folders beside the data live on its disk, so that each part moves by a rename.
    QTemporaryDir staging(folder.filePath(QStringLiteral(".vemo-restore-XXXXXX")));
    QTemporaryDir replaced(folder.filePath(QStringLiteral(".vemo-replaced-XXXXXX")));
    if (!staging.isValid() || !replaced.isValid()) {
        *error = CannotRestore(path, QStringLiteral("не могу создать временную папку в %1: %2")
                                         .arg(folder.absolutePath(), staging.errorString()));
        return false;
    }
    BackupManifest manifest;
    QString reason;
    if (!Stage(path, staging, &manifest, summary, &reason) ||
        !KeepCurrent(folder, now, keptCopy, &reason) || !Swap(folder, staging, replaced, &reason)) {
        *error = CannotRestore(path, reason);
        return false;
    }
    return true;
}

}  // namespace Backup
