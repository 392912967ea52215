#include "bank/StatementReport.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "bank/ExchangeFile.h"

namespace {

using PaymentMatch::Direction;

bool IsBankOperation(const QString& kind) {
    return kind == QStringLiteral("Банковский ордер") ||
           kind == QStringLiteral("Мемориальный ордер");
}

StatementEntry::Kind KindOf(const ExchangeDocument& document, Direction direction) {
    if (IsBankOperation(document.kind)) {
        return StatementEntry::Kind::BankOperation;
    }
    if (PaymentMatch::LeavesAccount(direction)) {
        return StatementEntry::Kind::Outgoing;
    }
    return direction == Direction::Incoming ? StatementEntry::Kind::Incoming
                                            : StatementEntry::Kind::Other;
}

// Pairs documents with orders: each group of documents and orders linked by the rule is an
// answer when it is one document and one order, and a question otherwise.
void Pair(const QList<StatementEntry>& entries, const QList<ExchangeDocument>& documents,
          StatementReport* report) {
    QHash<qsizetype, QList<qsizetype>> entriesOfOrder;
    for (qsizetype e = 0; e < entries.size(); ++e) {
        for (qsizetype order : entries[e].orders) {
            entriesOfOrder[order].append(e);
        }
    }
    QSet<qsizetype> seen;        // entries in a group
    QSet<qsizetype> seenOrders;  // orders in a group
    for (qsizetype start = 0; start < entries.size(); ++start) {
        if (entries[start].orders.isEmpty() || seen.contains(start)) {
            continue;
        }
        StatementAmbiguity group;
        QList<qsizetype> pending = {start};
        seen.insert(start);
        while (!pending.isEmpty()) {
            const qsizetype e = pending.takeLast();
            group.entries.append(e);
            for (qsizetype order : entries[e].orders) {
                if (seenOrders.contains(order)) {
                    continue;
                }
                seenOrders.insert(order);
                group.orders.append(order);
                for (qsizetype other : entriesOfOrder.value(order)) {
                    if (!seen.contains(other)) {
                        seen.insert(other);
                        pending.append(other);
                    }
                }
            }
        }
        if (group.entries.size() == 1 && group.orders.size() == 1) {
            const qsizetype e = group.entries.first();
            report->answers.append(
                {e, group.orders.first(), documents[entries[e].document].debited});
        } else {
            std::sort(group.entries.begin(), group.entries.end());
            std::sort(group.orders.begin(), group.orders.end());
            report->ambiguities.append(group);
        }
    }
}

}  // namespace

StatementReport StatementReport::Of(const ExchangeFile& file, const QList<OrderRow>& orders,
                                    const CRequisiteArray& payers,
                                    const CRequisiteArray& recipients) {
    StatementReport report;
    const QSet<QString> own = PaymentMatch::OwnAccounts(file);
    const PaymentMatch::OrderIndex index(orders, payers, recipients);
    const QList<ExchangeDocument>& documents = file.Documents();
    for (const AccountBalances& balances : AccountBalances::Of(file)) {
        report.accounts.append({balances, {}, {}, {}});
    }
    QHash<QString, qsizetype> accountPlace;
    for (qsizetype a = 0; a < report.accounts.size(); ++a) {
        accountPlace.insert(report.accounts[a].balances.account, a);
    }
    report.entries.reserve(documents.size());
    for (qsizetype d = 0; d < documents.size(); ++d) {
        const ExchangeDocument& document = documents[d];
        StatementEntry entry;
        entry.document = d;
        entry.direction = PaymentMatch::DirectionOf(document, own);
        entry.kind = KindOf(document, entry.direction);
        if (entry.kind == StatementEntry::Kind::Outgoing) {
            entry.orders = index.Answered(document, entry.direction);
        }
        const qsizetype e = report.entries.size();
        if (entry.kind == StatementEntry::Kind::Outgoing && entry.orders.isEmpty()) {
            report.notInArchive.append(e);
        }
        const qsizetype from = accountPlace.value(document.payerAccount, -1);
        const qsizetype to = accountPlace.value(document.recipientAccount, -1);
        if (from < 0 && to < 0) {
            report.unplaced.append(e);
        } else if (entry.kind == StatementEntry::Kind::BankOperation) {
            for (qsizetype a : {from, to == from ? qsizetype(-1) : to}) {
                if (a >= 0) {
                    report.accounts[a].bankOperations.append(e);
                }
            }
        } else {
            if (from >= 0) {
                report.accounts[from].outgoing.append(e);
            }
            if (to >= 0) {
                report.accounts[to].incoming.append(e);
            }
        }
        report.entries.append(entry);
    }
    Pair(report.entries, documents, &report);
    return report;
}
