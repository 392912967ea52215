#include "bank/KeptFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>

#include "common/RegularFile.h"
#include "common/SafeSave.h"
#include "orders/WorkingFolder.h"

namespace KeptFiles {
namespace {

QString Prefix(Kind kind) {
    return kind == Kind::Export ? QStringLiteral("1c_to_kl") : QStringLiteral("kl_to_1c");
}

const QRegularExpression& NamePattern() {
    static const QRegularExpression pattern(QStringLiteral(
        "^(1c_to_kl|kl_to_1c)_(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(_[0-9A-Za-z]+)*\\.txt$"));
    return pattern;
}

QString FolderPath(const WorkingFolder& folder) {
    return folder.PathOf(QString::fromLatin1(kFolder));
}

QString InFolder(const QString& fileName) {
    return QString::fromLatin1(kFolder) + u'/' + fileName;
}

// The first free name for a file kept now: the time, then a count where the second is taken.
QString FreeName(const WorkingFolder& folder, Kind kind, const QDateTime& now, const QString& tag) {
    QString base = Prefix(kind) + u'_' + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString cleanTag = tag;
    cleanTag.remove(QRegularExpression(QStringLiteral("[^0-9A-Za-z]")));
    if (!cleanTag.isEmpty()) {
        base += u'_' + cleanTag;
    }
    for (int count = 1;; ++count) {
        const QString name =
            InFolder(count == 1 ? base + QStringLiteral(".txt")
                                : QStringLiteral("%1_%2.txt").arg(base).arg(count));
        const QFileInfo info(folder.PathOf(name));
        if (!info.exists() && !info.isSymLink()) {
            return name;
        }
    }
}

}  // namespace

QList<KeptFile> List(const WorkingFolder& folder) {
    QList<KeptFile> files;
    const QDir dir(FolderPath(folder));
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const QRegularExpressionMatch match = NamePattern().match(info.fileName());
        if (!match.hasMatch()) {
            continue;
        }
        KeptFile file;
        file.kind = match.captured(1) == Prefix(Kind::Export) ? Kind::Export : Kind::Statement;
        file.name = InFolder(info.fileName());
        file.kept = QDateTime::fromString(match.captured(2), QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
        file.size = info.size();
        file.modified = info.lastModified();
        files.append(file);
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const KeptFile& a, const KeptFile& b) { return a.kept < b.kept; });
    return files;
}

bool Read(const WorkingFolder& folder, const KeptFile& file, QByteArray* bytes) {
    return RegularFile::Read(folder.PathOf(file.name), bytes) == RegularFile::ReadResult::Ok;
}

Outcome Keep(const WorkingFolder& folder, Kind kind, const QByteArray& bytes, const QDateTime& now,
             const QString& tag) {
    for (const KeptFile& file : List(folder)) {
        QByteArray kept;
        if (file.kind == kind && file.size == bytes.size() && Read(folder, file, &kept) &&
            kept == bytes) {
            Outcome outcome;
            outcome.alreadyKept = true;
            outcome.name = file.name;
            return outcome;
        }
    }
    Keeping keeping(folder, kind, now, tag);
    Outcome failed;
    if (!keeping.Begin(&failed.error) || !keeping.Write(bytes, &failed.error) ||
        !keeping.Finish(&failed.error)) {
        return failed;
    }
    return keeping.Keep();
}

struct Keeping::Parts {
    const WorkingFolder& folder;
    Kind kind;
    QDateTime now;
    QString tag;
    QString written;  // the copy's own name until it is kept
    std::unique_ptr<SafeSave::PendingFile> file = std::make_unique<SafeSave::PendingFile>();
    bool madeFolder = false;
};

Keeping::Keeping(const WorkingFolder& folder, Kind kind, const QDateTime& now, const QString& tag)
    : m(new Parts{folder, kind, now, tag}) {}

Keeping::~Keeping() {
    if (!m->written.isEmpty()) {
        QFile::remove(m->written);
    }
    m->file.reset();  // its temporary goes before the folder it stands in
    if (m->madeFolder) {
        QDir().rmdir(FolderPath(m->folder));  // only while nothing was kept there
    }
}

bool Keeping::Begin(QString* error) {
    m->madeFolder = !QFileInfo(FolderPath(m->folder)).isDir();
    if (!QDir().mkpath(FolderPath(m->folder))) {
        *error = QStringLiteral("не удалось создать папку %1").arg(FolderPath(m->folder));
        return false;
    }
    // Written under a name of its own first, then given its name by a rename that never replaces
    // a file: another program keeping a file in the same second cannot write over this one. The
    // count tells apart the copies this program keeps at once (an export's file per bank).
    static std::atomic<int> begun{0};
    const QString name = m->folder.PathOf(InFolder(QStringLiteral(".keeping-%1-%2-%3")
                                                       .arg(QCoreApplication::applicationPid())
                                                       .arg(QDateTime::currentMSecsSinceEpoch())
                                                       .arg(++begun)));
    if (!m->file->Open(name, error, SafeSave::AtLink::Replace)) {
        return false;
    }
    m->written = name;
    return true;
}

bool Keeping::Write(const QByteArray& bytes, QString* error) {
    return m->file->Write(bytes, error);
}

bool Keeping::Finish(QString* error) {
    return m->file->Finish(error) && m->file->Commit(error);
}

Outcome Keeping::Keep() {
    Outcome outcome;
    for (int attempt = 0; attempt < 100 && !outcome.kept; ++attempt) {
        outcome.name = FreeName(m->folder, m->kind, m->now, m->tag);
        QFile file(m->written);
        outcome.kept = file.rename(m->folder.PathOf(outcome.name));
        if (!outcome.kept && !QFileInfo::exists(m->folder.PathOf(outcome.name))) {
            outcome.error = file.errorString();
            break;
        }
    }
    if (outcome.kept) {
        m->written.clear();
    } else {
        outcome.name.clear();
    }
    return outcome;
}

}  // namespace KeptFiles
