#include "orders/WorkingFolderCheck.h"

#include <QFileInfo>
#include <algorithm>

#include "common/LineFile.h"
#include "orders/OrderChecks.h"
#include "orders/OrderFiles.h"
#include "requisites/BikChecks.h"
#include "requisites/RequisiteChecks.h"
#include "requisites/RequisitesFile.h"

namespace {

QString Unreadable(const QString& fileName) {
    return fileName + QStringLiteral(": не удается прочитать файл");
}

QString RecordLabel(int index, const CRequisite& record) {
    const QString name = record.m_strName.isEmpty() ? QStringLiteral("без наименования")
                                                    : QStringLiteral("«%1»").arg(record.m_strName);
    return QStringLiteral("запись %1 %2").arg(index + 1).arg(name);
}

// The problems of every record of one address book; the book itself for the order checks, absent
// when it could not be read.
std::optional<CRequisiteArray> CheckBook(const QDir& folder, int kind,
                                         const BikDirectory& directory, QStringList* lines) {
    const QString fileName = RequisitesFile::FileName(kind);
    CRequisiteArray records;
    if (RequisitesFile::Read(folder.filePath(fileName), &records) ==
        LineFile::ReadResult::Unreadable) {
        lines->append(Unreadable(fileName));
        return std::nullopt;
    }
    for (int i = 0; i < records.size(); ++i) {
        const QString label = RecordLabel(i, records.at(i));
        const QList<RequisiteChecks::Problem> problems =
            RequisiteChecks::Check(records.at(i)) +
            BikChecks::Check(records.at(i), kind, directory);
        for (const RequisiteChecks::Problem& problem : problems) {
            lines->append(QStringList{fileName, label, problem.text}.join(QStringLiteral(": ")));
        }
    }
    return records;
}

// The numbers of the order files in the folder, ascending. A file counts when its name is exactly
// the one the archive gives its number, so "vemo.07" or "vemo.x" is not an order.
QList<int> OrderNumbers(const QDir& folder) {
    const QFileInfo sample(OrderFiles::FileName(1));
    const QString prefix = sample.completeBaseName() + QLatin1Char('.');
    const QDir archive(folder.filePath(sample.path()));
    QList<int> numbers;
    for (const QString& name : archive.entryList({prefix + QLatin1Char('*')}, QDir::Files)) {
        bool ok = false;
        const int number = name.mid(prefix.size()).toInt(&ok);
        if (ok && number > 0 && QFileInfo(OrderFiles::FileName(number)).fileName() == name) {
            numbers.append(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void CheckOrderFile(const QDir& folder, int number, const OrderChecks::AddressBooks& books,
                    QStringList* lines) {
    const QString fileName = OrderFiles::FileName(number);
    QStringList fileLines;
    if (LineFile::Read(folder.filePath(fileName), &fileLines) != LineFile::ReadResult::Ok) {
        lines->append(Unreadable(fileName));
        return;
    }
    for (const QString& problem : OrderChecks::Check(OrderRow::FromLines(fileLines), books)) {
        lines->append(fileName + QStringLiteral(": ") + problem);
    }
}

}  // namespace

QStringList CheckWorkingFolder(const QDir& folder, const BikDirectory& directory) {
    QStringList lines;
    OrderChecks::AddressBooks books;
    books.payers = CheckBook(folder, RequisitesFile::kPayersKind, directory, &lines);
    books.recipients = CheckBook(folder, RequisitesFile::kRecipientsKind, directory, &lines);
    for (int number : OrderNumbers(folder)) {
        CheckOrderFile(folder, number, books, &lines);
    }
    return lines;
}
