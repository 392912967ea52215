#include "orders/PartyRename.h"

#include "orders/WorkingFolder.h"

namespace PartyRename {
namespace {

int ColumnOf(int nKind) {
    return nKind == kPayersKind ? kColumnPayer : kColumnRecipient;
}

}  // namespace

QStringList FilesNaming(const WorkingFolder& folder, int nKind, const QString& name) {
    const StoredOrders orders = folder.ReadOrders();
    const int column = ColumnOf(nKind);
    QStringList files;
    for (qsizetype i = 0; i < orders.rows.size(); ++i) {
        if (orders.rows.at(i)[column] == name) {
            files.append(orders.files.at(i));
        }
    }
    return files;
}

QStringList Rename(const WorkingFolder& folder, int nKind, const QString& oldName,
                   const QString& newName) {
    // Read again right before writing, so that each file keeps what it holds now but the name.
    StoredOrders orders = folder.ReadOrders();
    const int column = ColumnOf(nKind);
    QStringList failed;
    for (qsizetype i = 0; i < orders.rows.size(); ++i) {
        OrderRow& row = orders.rows[i];
        if (row[column] != oldName) {
            continue;
        }
        row[column] = newName;
        if (!folder.SaveOrderFile(orders.files.at(i), row)) {
            failed.append(orders.files.at(i));
        }
    }
    return failed;
}

OrdersOfParty OrdersOf(const WorkingFolder& folder, int nKind) {
    OrdersOfParty orders;
    orders.count = [folder, nKind](const QString& name) {
        return int(FilesNaming(folder, nKind, name).size());
    };
    orders.rename = [folder, nKind](const QString& oldName, const QString& newName) {
        return Rename(folder, nKind, oldName, newName);
    };
    return orders;
}

}  // namespace PartyRename
