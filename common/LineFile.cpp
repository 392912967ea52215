#include "common/LineFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cstring>

#include "common/Cp1251.h"
#include "common/SafeSave.h"

namespace LineFile {

bool (*g_pWriteFault)(const QString& path) = nullptr;

namespace {

ReadResult ReadBytes(const QString& path, QByteArray* bytes) {
    bytes->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QFileInfo::exists(path) ? ReadResult::Unreadable : ReadResult::Missing;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        bytes->clear();
        return ReadResult::Unreadable;
    }
    return ReadResult::Ok;
}

// Tells an empty file from a missing one, whose digest is empty.
QByteArray HashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

}  // namespace

bool Scanner::Next(QByteArrayView* line) {
    const qsizetype size = m_bytes.size();
    if (m_pos >= size) {
        return false;
    }
    const char* data = m_bytes.data();
    const auto* lineFeed =
        static_cast<const char*>(std::memchr(data + m_pos, '\n', size_t(size - m_pos)));
    const qsizetype end = lineFeed ? lineFeed - data : size;
    qsizetype length = end - m_pos;
    if (length > 0 && data[end - 1] == '\r') {
        --length;
    }
    *line = QByteArrayView(data + m_pos, length);
    m_pos = end + 1;
    return true;
}

QByteArray Digest(const QString& path) {
    QByteArray bytes;
    return ReadBytes(path, &bytes) == ReadResult::Ok ? HashOf(bytes) : QByteArray();
}

ReadResult Read(const QString& path, QStringList* lines, QByteArray* digest) {
    lines->clear();
    if (digest) {
        digest->clear();
    }
    QByteArray bytes;
    const ReadResult result = ReadBytes(path, &bytes);
    if (result != ReadResult::Ok) {
        return result;
    }
    if (digest) {
        *digest = HashOf(bytes);
    }
    if (bytes.isEmpty()) {
        return ReadResult::Ok;
    }
    // Each line through the code page's table: a decoder per line would cost more than the
    // reading.
    Scanner scanner(bytes);
    QByteArrayView line;
    while (scanner.Next(&line)) {
        QString text(line.size(), Qt::Uninitialized);
        Cp1251::DecodeInto(line.data(), line.size(), text.data());
        lines->append(text);
    }
    return ReadResult::Ok;
}

bool Write(const QString& path, const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines) {
        size += line.size() + 2;
    }
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        // An LF would split the line in two on reading. A lone CR reads back as it is: the
        // reader drops only the one CR right before an LF, and the writer adds one there.
        if (line.contains(u'\n')) {
            return false;
        }
        text += line;
        text += QLatin1String("\r\n");
    }
    QByteArray bytes;
    if (!Cp1251::EncodeExactly(text, &bytes)) {
        return false;  // a character outside the code page would come back as "?"
    }
    if (g_pWriteFault && g_pWriteFault(path)) {
        return false;
    }
    QString error;
    return SafeSave::ReplaceFile(path, bytes, &error);
}

}  // namespace LineFile
