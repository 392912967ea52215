#include "common/LineFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "common/Cp1251.h"

namespace LineFile {

bool (*g_pWriteFault)(const QString& path) = nullptr;

ReadResult Read(const QString& path, QStringList* lines) {
    lines->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QFileInfo::exists(path) ? ReadResult::Unreadable : ReadResult::Missing;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return ReadResult::Unreadable;
    }
    if (bytes.isEmpty()) {
        return ReadResult::Ok;
    }
    QList<QByteArray> raw = bytes.split('\n');
    if (bytes.endsWith('\n')) {
        raw.removeLast();  // the line end of the last line opens no further line
    }
    for (QByteArray& line : raw) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines->append(Cp1251::Decode(line));
    }
    return ReadResult::Ok;
}

bool Write(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += Cp1251::Encode(line);
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size() || (g_pWriteFault && g_pWriteFault(path))) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

}  // namespace LineFile
