#include "orders/WorkingFolder.h"

#include <QFileInfo>

#include "orders/OrderFiles.h"
#include "requisites/RequisitesFile.h"

QStringList AddressBooks::Unreadable() const {
    QStringList names;
    for (const AddressBook* book : {&payers, &recipients}) {
        if (book->LoadOutcome() == AddressBook::Outcome::Unreadable) {
            names.append(QFileInfo(book->Path()).fileName());
        }
    }
    return names;
}

WorkingFolder::WorkingFolder(const QDir& dir) : m_dir(dir) {}

QString WorkingFolder::PathOf(const QString& name) const {
    return m_dir.filePath(name);
}

bool WorkingFolder::HoldsData() const {
    const QString names[] = {RequisitesFile::FileName(kPayersKind),
                             RequisitesFile::FileName(kRecipientsKind),
                             QFileInfo(OrderFiles::FileName(1)).path()};
    for (const QString& name : names) {
        const QFileInfo entry(PathOf(name));
        if (entry.exists() || entry.isSymLink()) {
            return true;
        }
    }
    return false;
}

AddressBook WorkingFolder::Book(int nKind) const {
    return AddressBook(PathOf(RequisitesFile::FileName(nKind)));
}

AddressBooks WorkingFolder::ReadBooks() const {
    AddressBooks books{Book(kPayersKind), Book(kRecipientsKind)};
    books.payers.Load();
    books.recipients.Load();
    return books;
}

FoundParty WorkingFolder::FindParty(int nKind, const QString& name) const {
    FoundParty party;
    party.unreadable =
        RequisitesFile::FindByName(PathOf(RequisitesFile::FileName(nKind)), name, &party.record,
                                   &party.found) == LineFile::ReadResult::Unreadable;
    return party;
}

bool WorkingFolder::AddRecord(int nKind, const CRequisite& record, QString* error) const {
    AddressBook book = Book(nKind);
    QString reason;
    bool written = false;
    if (book.Load() == AddressBook::Outcome::Unreadable) {
        reason = QStringLiteral("файл %1 не читается").arg(RequisitesFile::FileName(nKind));
    } else {
        book.Add(record);
        written = book.Save(&reason);
    }
    if (error) {
        *error = reason;
    }
    return written;
}

StoredOrders WorkingFolder::ReadOrders() const {
    StoredOrders orders;
    orders.rows = OrderFiles::LoadOrders(&orders.unreadable, &orders.files, m_dir);
    return orders;
}

LineFile::ReadResult WorkingFolder::ReadOrder(int number, OrderRow* row) const {
    return OrderFiles::ReadOrder(number, row, m_dir);
}

LineFile::ReadResult WorkingFolder::ReadOrderFile(const QString& file, OrderRow* row) const {
    return OrderFiles::ReadOrderFile(file, row, m_dir);
}

bool WorkingFolder::ReadOrders(const QList<int>& numbers, QList<OrderRow>* rows,
                               QString* error) const {
    StoredOrders orders;
    const bool read = ReadOrders(numbers, &orders, error);
    *rows = std::move(orders.rows);
    return read;
}

bool WorkingFolder::ReadOrders(const QList<int>& numbers, StoredOrders* orders,
                               QString* error) const {
    *orders = StoredOrders();
    if (numbers.isEmpty()) {
        StoredOrders all = ReadOrders();
        if (!all.unreadable.isEmpty()) {
            *error = OrderFiles::CannotReadMessage(all.unreadable);
            return false;
        }
        *orders = std::move(all);
        return true;
    }
    QList<int> done;
    for (int number : numbers) {
        if (done.contains(number)) {
            continue;
        }
        done.append(number);
        OrderRow row;
        switch (ReadOrder(number, &row)) {
            case LineFile::ReadResult::Ok:
                orders->rows.append(row);
                orders->files.append(OrderFiles::FileName(number));
                continue;
            case LineFile::ReadResult::Missing:
                *error = QStringLiteral("нет платежного поручения %1 (%2)")
                             .arg(number)
                             .arg(OrderFiles::FileName(number));
                return false;
            case LineFile::ReadResult::Unreadable:
                *error = QStringLiteral("Не могу прочитать платежку %1")
                             .arg(OrderFiles::FileName(number));
                return false;
        }
    }
    return true;
}

bool WorkingFolder::SaveOrder(int number, const OrderRow& row, QString* error) const {
    return OrderFiles::SaveOrder(number, row, m_dir, error);
}

bool WorkingFolder::SaveOrderFile(const QString& file, const OrderRow& row, QString* error) const {
    return OrderFiles::SaveOrderFile(file, row, m_dir, error);
}

DesktopTrash::Removal WorkingFolder::RemoveOrder(const QString& file, QString* error) const {
    return OrderFiles::RemoveOrderFile(file, m_dir, error);
}

bool WorkingFolder::OrderExists(int number) const {
    return OrderFiles::Exists(number, m_dir);
}

void WorkingFolder::MakeOrdersFolder() const {
    m_dir.mkdir(QFileInfo(OrderFiles::FileName(1)).path());  // there already on all but the first
}
