#include "bank/OrderChecks.h"

#include "common/StorableText.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "requisites/RequisitesFile.h"

namespace OrderChecks {
namespace {

void CheckParty(const QString& name, const std::optional<CRequisiteArray>& book, int kind,
                QStringList* problems) {
    if (name.isEmpty() || !book || FindRecord(*book, name)) {
        return;
    }
    problems->append(RequisitesFile::NotInBookMessage(kind, name));
}

// The amount as the bank reads it: roubles and kopecks above zero. An empty amount is one not
// written yet, like a party not chosen.
void CheckAmount(const QString& amount, QStringList* problems) {
    qint64 kopecks = 0;
    if (amount.isEmpty() || OrderAmount::ParseKopecks(amount, &kopecks)) {
        return;
    }
    problems->append(OrderAmount::NotAnAmountMessage(amount));
}

// Such text comes only from a file written by another program: the order dialog refuses it.
void CheckStorable(const OrderRow& row, QStringList* problems) {
    for (int column = 0; column < kOrderFieldCount; ++column) {
        const UnstorableText found = FindUnstorableText(row[column]);
        if (found.first >= 0) {
            problems->append(QStringLiteral("поле «%1»: недопустимые знаки %2")
                                 .arg(OrderFields::Caption(column), found.Names()));
        }
    }
}

}  // namespace

QStringList Check(const OrderRow& row, const AddressBooks& books) {
    QStringList problems;
    CheckParty(row[kColumnPayer], books.payers, kPayersKind, &problems);
    CheckParty(row[kColumnRecipient], books.recipients, kRecipientsKind, &problems);
    CheckAmount(row[kColumnAmount], &problems);
    CheckStorable(row, &problems);
    return problems;
}

}  // namespace OrderChecks
