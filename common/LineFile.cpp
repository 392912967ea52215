#include "common/LineFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "common/Cp1251.h"
#include "common/StorableText.h"

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
    // Decoded in one go: CR and LF are single bytes of their own in the code page, so the text
    // splits into the same lines as the bytes would, at a fraction of the cost of one decoder per
    // line.
    const QString text = Cp1251::Decode(bytes);
    *lines = text.split(u'\n');
    if (text.endsWith(u'\n')) {
        lines->removeLast();  // the line end of the last line opens no further line
    }
    for (QString& line : *lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return ReadResult::Ok;
}

bool Write(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        if (FindUnstorableText(line).first >= 0) {
            return false;  // it would come back as "?", or shift every following line
        }
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
