#include "bank/WorkingFolderCheck.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "bank/BudgetChecks.h"
#include "bank/OrderChecks.h"
#include "common/QuotedValue.h"
#include "orders/WorkingFolder.h"
#include "requisites/BikChecks.h"
#include "requisites/RequisiteChecks.h"

namespace {

QString Unreadable(const QString& fileName) {
    return fileName + QStringLiteral(": не удается прочитать файл");
}

QString RecordLabel(int index, const CRequisite& record) {
    const QString name = record.m_strName.isEmpty() ? QStringLiteral("без наименования")
                                                    : QuotedValue(record.m_strName);
    return QStringLiteral("запись %1 %2").arg(index + 1).arg(name);
}

// The problems of every record of one address book; the book itself for the order checks, absent
// when it could not be read.
std::optional<CRequisiteArray> CheckBook(const AddressBook& book, int kind,
                                         const BikDirectory& directory, QStringList* lines) {
    const QString fileName = QFileInfo(book.Path()).fileName();
    if (book.LoadOutcome() == AddressBook::Outcome::Unreadable) {
        lines->append(Unreadable(fileName));
        return std::nullopt;
    }
    for (int i = 0; i < book.Count(); ++i) {
        const QString label = RecordLabel(i, book.At(i));
        for (const RequisiteChecks::Problem& problem :
             BikChecks::CheckAll(book.At(i), kind, directory) +
                 RequisiteChecks::CheckStorable(book.At(i))) {
            lines->append(QStringList{fileName, label, problem.text}.join(QStringLiteral(": ")));
        }
    }
    return book.Records();
}

}  // namespace

QStringList CheckWorkingFolder(const WorkingFolder& folder, const BikDirectory& directory) {
    if (!folder.HoldsData()) {
        // Most likely the check was run in another folder than the user's data.
        return {QStringLiteral("в папке %1 нет ни реквизитов, ни платежек")
                    .arg(QDir::toNativeSeparators(folder.Dir().absolutePath()))};
    }
    QStringList lines;
    const AddressBooks read = folder.ReadBooks();
    OrderChecks::AddressBooks books;
    books.payers = CheckBook(read.payers, kPayersKind, directory, &lines);
    books.recipients = CheckBook(read.recipients, kRecipientsKind, directory, &lines);
    // The same listing as the archive's: every name it shows or says it cannot read, in the
    // order of the numbers in the names.
    const StoredOrders orders = folder.ReadOrders();
    QList<std::pair<QString, QString>> orderLines;  // the file, and a line about it
    for (qsizetype i = 0; i < orders.rows.size(); ++i) {
        const OrderRow& row = orders.rows.at(i);
        const CRequisite* recipient =
            books.recipients ? FindRecord(*books.recipients, row[kColumnRecipient]) : nullptr;
        QStringList problems = OrderChecks::Check(row, books);
        for (const BudgetChecks::Problem& problem : BudgetChecks::Check(row, recipient)) {
            problems.append(problem.text);
        }
        for (const QString& problem : problems) {
            orderLines.append(
                {orders.files.at(i), orders.files.at(i) + QStringLiteral(": ") + problem});
        }
    }
    for (const QString& file : orders.unreadable) {
        orderLines.append({file, Unreadable(file)});
    }
    std::stable_sort(orderLines.begin(), orderLines.end(), [](const auto& a, const auto& b) {
        // Same prefix, numbers without leading zeros: the shorter name has the smaller number.
        return a.first.size() != b.first.size() ? a.first.size() < b.first.size()
                                                : a.first < b.first;
    });
    for (const auto& [file, line] : orderLines) {
        lines.append(line);
    }
    return lines;
}
