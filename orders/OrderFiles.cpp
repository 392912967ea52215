#include "orders/OrderFiles.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

#include "common/LineFile.h"

namespace OrderFiles {
namespace {

const QString kDirectory = QStringLiteral("Vemo");
const QString kPrefix = QStringLiteral("vemo.");

// The number part of an order file's name; empty when the name is not one of an order file.
QStringView NumberPart(const QString& fileName) {
    if (!fileName.startsWith(kPrefix)) {
        return {};
    }
    const QStringView digits = QStringView(fileName).mid(kPrefix.size());
    if (digits.isEmpty() || digits.front() == u'0') {
        return {};
    }
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return {};
        }
    }
    return digits;
}

// Numbers of any length compare as numbers: the shorter is smaller, then digit by digit.
bool ByNumber(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

}  // namespace

QString FileName(int number) {
    return kDirectory + QLatin1Char('/') + kPrefix + QString::number(number);
}

QList<OrderRow> LoadOrders() {
    QStringList names;
    QDirIterator it(kDirectory, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!NumberPart(name).isEmpty()) {
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), ByNumber);

    QList<OrderRow> rows;
    rows.reserve(names.size());
    QStringList lines;
    for (const QString& name : names) {
        if (LineFile::Read(kDirectory + QLatin1Char('/') + name, &lines) ==
            LineFile::ReadResult::Ok) {
            rows.append(OrderRow::FromLines(lines));
        }
    }
    return rows;
}

bool SaveOrder(int number, const OrderRow& row) {
    return LineFile::Write(FileName(number), row.Lines());
}

bool RemoveOrder(int number) {
    return QFile::remove(FileName(number));
}

bool Exists(int number) {
    return QFileInfo::exists(FileName(number));
}

}  // namespace OrderFiles
