#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "bank/ExchangeFile.h"
#include "bank/KeptFiles.h"
#include "bank/StatementParties.h"
#include "bank/StatementReport.h"
#include "orders/WorkingFolder.h"

class BikDirectory;

// Reading the bank's statement into the program: the use case behind Архив → "Загрузить
// выписку…" and `--import-statement`, which both only show what it gives.
struct StatementImport {
    // Why the file was not taken, in the user's words; nothing changed then, and the rest is
    // empty.
    QString refusal;
    ExchangeFile file;
    // The archive the statement was held against: the report's orders are its rows.
    StoredOrders orders;
    StatementReport report;
    QList<StatementParty> parties;
    // The statement kept in the working folder; kept.alreadyKept when the same file was read
    // before, which changes nothing.
    KeptFiles::Outcome kept;
    // The address books and order files that could not be read: the report lacks their orders.
    QStringList unreadable;

    // Reads the statement at path whole, keeps it, and holds it against the folder's archive and
    // address books, read once the statement is taken; the directory of BIKs fills what the
    // statement leaves out of a new party.
    static StatementImport Run(const WorkingFolder& folder, const QString& path,
                               const BikDirectory& directory, const QDateTime& now);
    // The same against the orders and books a window has read already.
    static StatementImport Run(const WorkingFolder& folder, const QString& path,
                               const StoredOrders& orders, const AddressBooks& books,
                               const BikDirectory& directory, const QDateTime& now);

private:
    // Reads and keeps the statement; false, with the refusal set, when it is not one.
    bool Take(const WorkingFolder& folder, const QString& path, const QDateTime& now);
    void HoldAgainst(const StoredOrders& orders, const AddressBooks& books,
                     const BikDirectory& directory);
};
