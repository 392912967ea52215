#include "orders/OrderExport.h"

#include "common/LineFile.h"
#include "orders/OrderFiles.h"
#include "requisites/AddressBook.h"
#include "requisites/RequisitesFile.h"

namespace OrderExport {
namespace {

bool ReadOrderFile(int number, OrderRow* row, QString* error) {
    const QString path = OrderFiles::FileName(number);
    QStringList lines;
    switch (LineFile::Read(path, &lines)) {
        case LineFile::ReadResult::Ok:
            *row = OrderRow::FromLines(lines);
            return true;
        case LineFile::ReadResult::Missing:
            *error = QStringLiteral("there is no order %1 (%2)").arg(number).arg(path);
            return false;
        case LineFile::ReadResult::Unreadable:
            break;
    }
    *error = QStringLiteral("cannot read order %1 (%2)").arg(number).arg(path);
    return false;
}

bool ReadAllOrders(QList<OrderRow>* orders, QString* error) {
    QStringList unreadable;
    *orders = OrderFiles::LoadOrders(&unreadable);
    if (!unreadable.isEmpty()) {
        *error = QStringLiteral("cannot read %1").arg(unreadable.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}

bool ReadBook(int kind, CRequisiteArray* records) {
    AddressBook book(RequisitesFile::FileName(kind));
    const bool readable = book.Load() != AddressBook::Outcome::Unreadable;
    *records = book.Records();
    return readable;
}

}  // namespace

bool ReadOrders(const QList<int>& numbers, QList<OrderRow>* orders, QString* error) {
    orders->clear();
    if (numbers.isEmpty()) {
        return ReadAllOrders(orders, error);
    }
    QList<int> done;
    for (int number : numbers) {
        if (done.contains(number)) {
            continue;
        }
        done.append(number);
        OrderRow row;
        if (!ReadOrderFile(number, &row, error)) {
            return false;
        }
        orders->append(row);
    }
    return true;
}

QStringList ReadBooks(CRequisiteArray* payers, CRequisiteArray* recipients) {
    QStringList unreadable;
    if (!ReadBook(RequisitesFile::kPayersKind, payers)) {
        unreadable.append(RequisitesFile::FileName(RequisitesFile::kPayersKind));
    }
    if (!ReadBook(RequisitesFile::kRecipientsKind, recipients)) {
        unreadable.append(RequisitesFile::FileName(RequisitesFile::kRecipientsKind));
    }
    return unreadable;
}

}  // namespace OrderExport
