#include "common/LineFile.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cstring>

#include "common/Cp1251.h"
#include "common/SafeSave.h"

namespace LineFile {

bool (*g_pWriteFault)(const QString& path) = nullptr;

namespace {

// What stands at the path other than a regular file, in words; empty for a regular file.
QString KindOfSpecialFile(mode_t mode) {
    if (S_ISDIR(mode)) {
        return QStringLiteral("папка");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("канал (FIFO)");
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return QStringLiteral("устройство");
    }
    if (S_ISSOCK(mode)) {
        return QStringLiteral("сокет");
    }
    return S_ISREG(mode) ? QString() : QStringLiteral("не обычный файл");
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
    return RegularFile::Read(path, &bytes) == ReadResult::Ok ? HashOf(bytes) : QByteArray();
}

ReadResult Read(const QString& path, QStringList* lines, QByteArray* digest) {
    lines->clear();
    if (digest) {
        digest->clear();
    }
    QByteArray bytes;
    const ReadResult result = RegularFile::Read(path, &bytes);
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

QString RefusedReplacement(const QString& path) {
    struct stat status;
    if (lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return QString();  // nothing there yet: the file is made
    }
    if (S_ISLNK(status.st_mode)) {
        const QFileInfo link(path);
        const QString what = QStringLiteral(
                                 "%1 — символическая ссылка на %2. Через ссылки программа не "
                                 "записывает, чтобы не заменить файл вне рабочей папки. ")
                                 .arg(path, link.symLinkTarget());
        return what + (link.exists()
                           ? QStringLiteral("Чтобы изменять этот файл здесь, замените ссылку "
                                            "копией файла, на который она указывает.")
                           : QStringLiteral("Того файла нет: удалите ссылку, и файл "
                                            "будет записан здесь."));
    }
    const QString kind = KindOfSpecialFile(status.st_mode);
    if (!kind.isEmpty()) {
        return QStringLiteral("на место %1 программа не пишет: там не обычный файл, а %2.")
            .arg(path, kind);
    }
    return QString();
}

bool Write(const QString& path, const QStringList& lines, QString* error) {
    QString reason;
    if (!error) {
        error = &reason;
    }
    error->clear();
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
    *error = RefusedReplacement(path);
    if (!error->isEmpty()) {
        return false;
    }
    // Checked above, a link at the name is replaced if one takes its place meanwhile.
    return SafeSave::ReplaceFile(path, bytes, error, SafeSave::AtLink::Replace);
}

}  // namespace LineFile
