#include "routine/BackupManifest.h"

#include <QCryptographicHash>
#include <algorithm>

#include "common/RegularFile.h"
#include "routine/KeptData.h"

namespace {

const QString kSignature = QStringLiteral("VemoBackup=");
const QString kVersion = QStringLiteral("1");

QString Damaged() {
    return QStringLiteral("описание копии повреждено");
}

}  // namespace

QString BackupManifest::EntryName() {
    return QStringLiteral("vemo-backup.txt");
}

QByteArray BackupManifest::Checksum(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

void BackupManifest::AddFile(const QString& name, const QByteArray& bytes) {
    fileNames.append(name);
    files.insert(name, {bytes.size(), Checksum(bytes)});
}

QByteArray BackupManifest::Bytes() const {
    QStringList lines = {kSignature + kVersion,
                         QStringLiteral("Made=") + made.toString(Qt::ISODate),
                         QStringLiteral("Folder=") + folder};
    for (const QString& dir : dirs) {
        lines.append(QStringLiteral("Dir=") + dir);
    }
    for (const QString& name : fileNames) {
        const File& file = files[name];
        lines.append(QStringLiteral("File=%1 %2 %3")
                         .arg(file.size)
                         .arg(QString::fromLatin1(file.sha256), name));
    }
    return (lines.join(u'\n') + u'\n').toUtf8();
}

QString BackupManifest::UnsafeName(const QString& name) {
    if (name.startsWith(u'/') || (name.size() > 1 && name.at(1) == u':')) {
        return QStringLiteral("в копии есть абсолютный путь «%1»").arg(name);
    }
    const QStringList parts = name.split(u'/');
    if (parts.contains(QStringLiteral(".."))) {
        return QStringLiteral("в копии есть путь «%1», выходящий за рабочую папку").arg(name);
    }
    const bool control = std::any_of(name.begin(), name.end(), [](QChar c) { return c < u' '; });
    if (name.isEmpty() || control || name.contains(u'\\') || parts.contains(QString()) ||
        parts.contains(QStringLiteral("."))) {
        return QStringLiteral("в копии есть недопустимое имя «%1»").arg(name);
    }
    return QString();
}

QString BackupManifest::NotData(const QString& name) {
    return QStringLiteral("в копии есть «%1», что не относится к данным программы").arg(name);
}

bool BackupManifest::ReadFileLine(const QString& value, qint64* total, QString* error) {
    const qsizetype first = value.indexOf(u' ');
    const qsizetype second = first < 0 ? -1 : value.indexOf(u' ', first + 1);
    bool ok = false;
    File file;
    file.size = value.left(first).toLongLong(&ok);
    file.sha256 = value.mid(first + 1, second - first - 1).toLatin1();
    const QString name = value.mid(second + 1);
    if (second < 0 || !ok || file.size < 0 || file.sha256.size() != 64) {
        *error = Damaged();
        return false;
    }
    *error = UnsafeName(name);
    if (!error->isEmpty()) {
        return false;
    }
    if (KeptData::PartOf(name, false) < 0) {
        *error = NotData(name);
        return false;
    }
    if (file.size > RegularFile::kMostBytes) {
        *error = QStringLiteral("файл «%1» в копии больше %2 МБ")
                     .arg(name)
                     .arg(RegularFile::kMostBytes / (1024 * 1024));
        return false;
    }
    *total += file.size;
    if (*total > kMostTotalBytes) {
        *error = QStringLiteral("данные в копии больше %1 ГБ").arg(kMostTotalBytes >> 30);
        return false;
    }
    if (files.contains(name) || files.size() >= kMostFiles) {
        *error = Damaged();
        return false;
    }
    fileNames.append(name);
    files.insert(name, file);
    return true;
}

bool BackupManifest::Read(const QByteArray& bytes, QString* error) {
    *this = BackupManifest();
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty() || !lines.first().startsWith(kSignature)) {
        *error = QStringLiteral("описание копии не читается: это не копия данных программы");
        return false;
    }
    if (lines.first() != kSignature + kVersion) {
        *error = QStringLiteral("копия сделана другой версией программы");
        return false;
    }
    qint64 total = 0;
    for (const QString& line : lines.mid(1)) {
        const qsizetype equals = line.indexOf(u'=');
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == u"Made") {
            made = QDateTime::fromString(value, Qt::ISODate);
        } else if (key == u"Folder") {
            folder = value;
        } else if (key == u"Dir") {
            *error = UnsafeName(value);
            if (error->isEmpty() && KeptData::PartOf(value, true) < 0) {
                *error = NotData(value);
            }
            if (!error->isEmpty()) {
                return false;
            }
            dirs.append(value);
        } else if (key == u"File" && !ReadFileLine(value, &total, error)) {
            return false;
        }
    }
    if (!made.isValid()) {
        *error = Damaged() + QStringLiteral(": нет даты");
        return false;
    }
    return true;
}
