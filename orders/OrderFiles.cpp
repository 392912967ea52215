#include "orders/OrderFiles.h"

#include <dirent.h>

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/Cp1251.h"
#include "common/DesktopTrash.h"
#include "common/LineFile.h"
#include "common/RegularFile.h"
#include "common/SystemError.h"

namespace OrderFiles {
namespace {

// A name of the program's (as FileName gives it) in the folder; as it stands in the process's
// working directory.
QString InFolder(const QDir& folder, const QString& name) {
    return folder.path() == QLatin1String(".") ? name : folder.filePath(name);
}

const QString kDirectory = QStringLiteral("Vemo");
const QString kPrefix = QStringLiteral("vemo.");
constexpr char kPrefixBytes[] = "vemo.";
constexpr size_t kPrefixLength = sizeof(kPrefixBytes) - 1;

// Below this many files a second thread costs more than it saves.
constexpr qsizetype kFilesPerExtraThread = 2000;
constexpr int kMostThreads = 4;

// A message box names at most this many unreadable files, then counts the rest.
constexpr qsizetype kMostNamesTold = 10;

// Whether a file name's tail is an order number: decimal, without sign or leading zeros, 1 or
// more.
bool IsNumberPart(const char* digits) {
    if (*digits < '1' || *digits > '9') {
        return false;
    }
    for (; *digits; ++digits) {
        if (*digits < '0' || *digits > '9') {
            return false;
        }
    }
    return true;
}

// Numbers of any length compare as numbers: the shorter is smaller, then digit by digit.
bool ByNumber(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

// The number parts of the order files' names, in ascending order. Whether each is a readable
// file is left to the reading.
QList<QByteArray> ListNumbers(const QDir& folder) {
    QList<QByteArray> numbers;
    DIR* dir = opendir(QFile::encodeName(InFolder(folder, kDirectory)).constData());
    if (!dir) {
        return numbers;
    }
    while (const dirent* entry = readdir(dir)) {
        if (std::strncmp(entry->d_name, kPrefixBytes, kPrefixLength) == 0 &&
            IsNumberPart(entry->d_name + kPrefixLength)) {
            numbers.append(QByteArray(entry->d_name + kPrefixLength));
        }
    }
    closedir(dir);
    std::sort(numbers.begin(), numbers.end(), ByNumber);
    return numbers;
}

// Where each line of an order file stands in its bytes, and the lines after the last field, which
// few files have.
struct LineSpans {
    qsizetype start[kOrderFieldCount] = {};
    qsizetype length[kOrderFieldCount] = {};
    int count = 0;
    QStringList after;
};

LineSpans FindLines(const char* bytes, qsizetype size) {
    LineSpans lines;
    LineFile::Scanner scanner(QByteArrayView(bytes, size));
    QByteArrayView line;
    for (; lines.count < kOrderFieldCount && scanner.Next(&line); ++lines.count) {
        lines.start[lines.count] = line.data() - bytes;
        lines.length[lines.count] = line.size();
    }
    while (scanner.Next(&line)) {
        QString text(line.size(), Qt::Uninitialized);
        Cp1251::DecodeInto(line.data(), line.size(), text.data());
        lines.after.append(text);
    }
    return lines;
}

// The row of an order file's bytes; missing lines give empty fields. The fields share one block
// of memory, each ended by a NUL, which halves what a row of short fields takes. Every field
// holds its own reference to the block, so a field copied out of the row keeps it alive, and a
// field that is changed while another still uses the block gets one of its own.
OrderRow RowFromBytes(const char* bytes, qsizetype size) {
    const LineSpans lines = FindLines(bytes, size);
    qsizetype total = 0;
    for (int i = 0; i < lines.count; ++i) {
        total += lines.length[i] + 1;
    }
    OrderRow row;
    row.SetLinesAfterFields(lines.after);
    if (total == lines.count) {
        return row;  // only empty lines
    }
    QString block(total, Qt::Uninitialized);
    QChar* out = block.data();
    for (int i = 0; i < lines.count; ++i) {
        const qsizetype length = lines.length[i];
        if (length == 0) {
            continue;
        }
        Cp1251::DecodeInto(bytes + lines.start[i], length, out);
        out[length] = QChar(0);
        QString::DataPointer field = block.data_ptr();
        field.ptr = reinterpret_cast<char16_t*>(out);
        field.size = length;
        row[i] = QString(std::move(field));
        out += length + 1;
    }
    return row;
}

// Reads order files as regular files alone into one buffer that it keeps from file to file. One
// per loading thread.
class OrderFileReader {
public:
    explicit OrderFileReader(const QDir& folder)
        : m_buffer(64 * 1024, Qt::Uninitialized),
          m_directory(QFile::encodeName(InFolder(folder, kDirectory))) {}

    // The row of the file with the number part, or false when it cannot be read.
    bool Load(const QByteArray& number, OrderRow* row) {
        m_path.assign(m_directory.constData());
        m_path += '/';
        m_path += kPrefixBytes;
        m_path.append(number.constData(), size_t(number.size()));
        qsizetype size = 0;
        if (RegularFile::Read(m_path.c_str(), &m_buffer, &size) != RegularFile::ReadResult::Ok) {
            return false;
        }
        *row = RowFromBytes(m_buffer.constData(), size);
        return true;
    }

private:
    QByteArray m_buffer;
    QByteArray m_directory;
    std::string m_path;
};

// Reads the files of numbers [first, last) into rows[first, last), marking which could be read.
void LoadRange(const QDir& folder, const QList<QByteArray>& numbers, qsizetype first,
               qsizetype last, OrderRow* rows, char* readable) {
    OrderFileReader reader(folder);
    for (qsizetype i = first; i < last; ++i) {
        readable[i] = reader.Load(numbers.at(i), &rows[i]);
    }
}

// Reads every listed file into its place, the ranges of the threads one after another, so the
// rows stand in file order whatever thread read them.
void LoadAll(const QDir& folder, const QList<QByteArray>& numbers, OrderRow* rows, char* readable) {
    const qsizetype count = numbers.size();
    const qsizetype wanted = qMin<qsizetype>(count / kFilesPerExtraThread + 1, kMostThreads);
    const int threads = int(std::clamp<qsizetype>(wanted, 1, QThread::idealThreadCount()));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        helpers.emplace_back(LoadRange, std::cref(folder), std::cref(numbers), count * t / threads,
                             count * (t + 1) / threads, rows, readable);
    }
    LoadRange(folder, numbers, 0, count / threads, rows, readable);
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

}  // namespace

QString FileName(int number) {
    return kDirectory + QLatin1Char('/') + kPrefix + QString::number(number);
}

QList<OrderRow> LoadOrders(QStringList* unreadable, QStringList* files, const QDir& folder) {
    const QList<QByteArray> numbers = ListNumbers(folder);
    QList<OrderRow> rows(numbers.size());
    std::vector<char> readable(size_t(numbers.size()), 0);
    LoadAll(folder, numbers, rows.data(), readable.data());

    // Closes the gaps of the files that could not be read, keeping the order of the rest.
    const auto name = [&numbers](qsizetype i) {
        return kDirectory + QLatin1Char('/') + kPrefix + QString::fromLatin1(numbers.at(i));
    };
    qsizetype kept = 0;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        if (readable[size_t(i)]) {
            if (kept != i) {
                rows[kept] = std::move(rows[i]);
            }
            ++kept;
            if (files) {
                files->append(name(i));
            }
        } else if (unreadable) {
            unreadable->append(name(i));
        }
    }
    rows.resize(kept);
    return rows;
}

LineFile::ReadResult ReadOrder(int number, OrderRow* row, const QDir& folder) {
    return ReadOrderFile(FileName(number), row, folder);
}

LineFile::ReadResult ReadOrderFile(const QString& file, OrderRow* row, const QDir& folder) {
    const QString numberPart = file.mid(kDirectory.size() + 1 + kPrefix.size());
    OrderFileReader reader(folder);
    if (reader.Load(numberPart.toLatin1(), row)) {
        return LineFile::ReadResult::Ok;
    }
    *row = OrderRow();
    const QFileInfo info(InFolder(folder, file));
    return info.exists() || info.isSymLink() ? LineFile::ReadResult::Unreadable
                                             : LineFile::ReadResult::Missing;
}

bool SaveOrder(int number, const OrderRow& row, const QDir& folder, QString* error) {
    return SaveOrderFile(FileName(number), row, folder, error);
}

bool SaveOrderFile(const QString& file, const OrderRow& row, const QDir& folder, QString* error) {
    return LineFile::Write(InFolder(folder, file), row.Lines(), error);
}

QString CannotReadMessage(const QStringList& unreadable) {
    QStringList lines = unreadable.mid(0, kMostNamesTold);
    if (unreadable.size() > kMostNamesTold) {
        lines.append(QStringLiteral("и еще %1").arg(unreadable.size() - kMostNamesTold));
    }
    return QStringLiteral("Не могу прочитать платежки:\n") + lines.join(QLatin1Char('\n'));
}

DesktopTrash::Removal RemoveOrderFile(const QString& file, const QDir& folder, QString* error) {
    const QFileInfo info(InFolder(folder, file));
    errno = EISDIR;
    const DesktopTrash::Removal removal =
        info.isDir() ? DesktopTrash::Removal::Failed : DesktopTrash::Remove(info.filePath());
    // The reason of the removal's last step; the file itself is what is missing, never a folder.
    if (removal == DesktopTrash::Removal::Failed && error) {
        *error = errno == ENOENT ? QStringLiteral("файла уже нет") : SystemError::Text(errno);
    }
    return removal;
}

bool Exists(int number, const QDir& folder) {
    const QFileInfo info(InFolder(folder, FileName(number)));
    return info.exists() || info.isSymLink();
}

}  // namespace OrderFiles
