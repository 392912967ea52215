#include "routine/OrderRegister.h"

#include <QHash>

#include "bank/ChosenTotal.h"
#include "bank/OrderStates.h"
#include "common/RussianPlural.h"
#include "orders/OrderAmount.h"
#include "orders/OrderTexts.h"
#include "orders/WorkingFolder.h"

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

QString DateShown(const QString& text) {
    const QDate date = OrderTexts::DateFromText(text);
    return date.isValid() ? date.toString(kDateFormat) : text.trimmed();
}

QString Orders(qsizetype count) {
    return QStringLiteral("%1 %2").arg(count).arg(RussianPlural(count, QStringLiteral("поручение"),
                                                                QStringLiteral("поручения"),
                                                                QStringLiteral("поручений")));
}

QString WithNotAdded(const QString& label, qsizetype notAmounts) {
    const QString notAdded = OrderRegister::NotAddedText(notAmounts);
    return notAdded.isEmpty() ? label : label + QStringLiteral("; ") + notAdded;
}

}  // namespace

QString OrderRegister::Row::AmountShown() const {
    return isAmount ? ChosenTotal::AmountText(kopecks) : amountText;
}

OrderRegister OrderRegister::Compose(const QList<OrderRow>& orders, const QDate& made,
                                     const StateOf& stateOf) {
    OrderRegister reg;
    reg.made = made;
    QHash<QString, qsizetype> groupOf;
    for (const OrderRow& order : orders) {
        Row row;
        row.number = order[kColumnNumber].trimmed();
        row.date = DateShown(order[kColumnDate]);
        row.recipient = order[kColumnRecipient];
        row.purpose = order[kColumnBasis];
        row.isAmount = OrderAmount::ParseKopecks(order[kColumnAmount], &row.kopecks);
        row.amountText = order[kColumnAmount];
        if (stateOf) {
            row.state = stateOf(order);
        }
        const QString& payer = order[kColumnPayer];
        auto found = groupOf.find(payer);
        if (found == groupOf.end()) {
            found = groupOf.insert(payer, reg.groups.size());
            reg.groups.append(Group{payer, {}, 0, 0});
        }
        Group& group = reg.groups[found.value()];
        if (row.isAmount) {
            group.kopecks += row.kopecks;
            reg.kopecks += row.kopecks;
        } else {
            ++group.notAmounts;
            ++reg.notAmounts;
        }
        group.rows.append(row);
        ++reg.count;
    }
    return reg;
}

OrderRegister OrderRegister::Read(const WorkingFolder& folder, const StoredOrders& orders,
                                  const QDate& today, QStringList* unreadable) {
    const AddressBooks books = folder.ReadBooks();
    const OrderStates::Reading states = OrderStates::Read(folder, orders, books.payers.Records(),
                                                          books.recipients.Records(), today);
    *unreadable = states.unreadable;
    // Compose asks for the states in the order of the orders, one each.
    qsizetype next = 0;
    return Compose(orders.rows, today, [&states, &next](const OrderRow&) {
        return OrderStates::Text(states.states.at(next++));
    });
}

bool OrderRegister::HasStates() const {
    for (const Group& group : groups) {
        for (const Row& row : group.rows) {
            if (!row.state.isEmpty()) {
                return true;
            }
        }
    }
    return false;
}

QString OrderRegister::Title() const {
    return QStringLiteral("Реестр платежных поручений от %1").arg(made.toString(kDateFormat));
}

QString OrderRegister::GroupTotalLabel(const Group& group) {
    return WithNotAdded(QStringLiteral("Итого по плательщику: %1").arg(Orders(group.rows.size())),
                        group.notAmounts);
}

QString OrderRegister::TotalLabel() const {
    return WithNotAdded(QStringLiteral("Всего: %1").arg(Orders(count)), notAmounts);
}

QString OrderRegister::NotAddedText(qsizetype notAmounts) {
    if (notAmounts == 0) {
        return QString();
    }
    return QStringLiteral("у %1 %2 сумма не число, она не сложена")
        .arg(notAmounts)
        .arg(RussianPlural(notAmounts, QStringLiteral("поручения"), QStringLiteral("поручений"),
                           QStringLiteral("поручений")));
}
