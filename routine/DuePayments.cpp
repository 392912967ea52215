#include "routine/DuePayments.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "orders/OrderAmount.h"
#include "routine/PeriodShift.h"

namespace {

bool SameParties(const OrderRow& row, const OrderRow& other) {
    return row[kColumnRecipient] == other[kColumnRecipient] &&
           row[kColumnPayer] == other[kColumnPayer];
}

// The archive's orders of a template's payer and recipient.
class PartyIndex {
public:
    explicit PartyIndex(const QList<OrderRow>& orders) : m_orders(orders) {
        for (qsizetype i = 0; i < orders.size(); ++i) {
            m_byRecipient.insert(orders.at(i)[kColumnRecipient], i);
        }
    }

    QList<const OrderRow*> OrdersLike(const OrderRow& order) const {
        QList<const OrderRow*> found;
        for (auto it = m_byRecipient.find(order[kColumnRecipient]);
             it != m_byRecipient.end() && it.key() == order[kColumnRecipient]; ++it) {
            const OrderRow& row = m_orders.at(it.value());
            if (SameParties(row, order)) {
                found.append(&row);
            }
        }
        return found;
    }

private:
    const QList<OrderRow>& m_orders;
    QMultiHash<QString, qsizetype> m_byRecipient;
};

// The payments of one month of a template (one, or two when it is paid twice) that have no order.
QList<Occurrence> Unanswered(const OrderTemplate& t, const QList<Occurrence>& month,
                             const QList<const OrderRow*>& orders) {
    QSet<int> used;
    QList<bool> answered;
    for (const Occurrence& occurrence : month) {
        const auto made = t.made.find(occurrence.Key());
        const bool found = made != t.made.end() &&
                           std::any_of(orders.begin(), orders.end(), [&made](const OrderRow* row) {
                               return row->Number() == made.value();
                           });
        if (found) {
            used.insert(made.value());
        }
        answered.append(found);
    }
    const QString purpose = t.order[kColumnBasis];
    if (PeriodShift::Move(purpose, 1) != purpose) {
        const QString expected =
            PeriodShift::Move(purpose, PeriodShift::MonthsBetween(t.month, month.first().month));
        QList<int> byHand;
        for (const OrderRow* row : orders) {
            if ((*row)[kColumnBasis] == expected && !used.contains(row->Number())) {
                byHand.append(row->Number());
            }
        }
        for (qsizetype i = 0; i < answered.size() && !byHand.isEmpty(); ++i) {
            if (!answered[i]) {
                answered[i] = true;
                byHand.removeFirst();
            }
        }
    }
    QList<Occurrence> unanswered;
    for (qsizetype i = 0; i < month.size(); ++i) {
        if (!answered[i]) {
            unanswered.append(month.at(i));
        }
    }
    return unanswered;
}

// The template's payments through the day, a list per month.
QList<QList<Occurrence>> ByMonth(const QList<Occurrence>& occurrences) {
    QList<QList<Occurrence>> months;
    for (const Occurrence& occurrence : occurrences) {
        if (months.isEmpty() || months.last().first().month != occurrence.month) {
            months.append(QList<Occurrence>());
        }
        months.last().append(occurrence);
    }
    return months;
}

QString PeriodOf(const OrderRow& order, const Occurrence& occurrence) {
    for (const int column : {kColumnBasis, kColumnTaxPeriod}) {
        const QString named = PeriodShift::NamedPeriod(order[column]);
        if (!named.isEmpty()) {
            return named;
        }
    }
    return PeriodShift::MonthCaption(occurrence.month);
}

}  // namespace

QString DuePayment::Text() const {
    QString text = QStringLiteral("%1 за %2").arg(source.name, period);
    if (source.recurrence.kind == Recurrence::Kind::TwiceMonthly) {
        text += occurrence.index == 1 ? QStringLiteral(", первая выплата")
                                      : QStringLiteral(", вторая выплата");
    }
    return text + QStringLiteral(" — ") + OrderAmount::ShownText(source.order[kColumnAmount]);
}

OrderRow DuePayment::NewOrder(int number, const QDate& today) const {
    return source.NewOrder(number, today, occurrence.month);
}

namespace DuePayments {

QList<DuePayment> Find(const QList<OrderTemplate>& templates, const QList<OrderRow>& orders,
                       const QDate& lastCheck, const QDate& today) {
    const PartyIndex index(orders);
    QList<DuePayment> due;
    for (const OrderTemplate& t : templates) {
        const QList<const OrderRow*> ordersLike = index.OrdersLike(t.order);
        for (const QList<Occurrence>& month : ByMonth(OccurrencesThrough(t.recurrence, today))) {
            for (const Occurrence& occurrence : Unanswered(t, month, ordersLike)) {
                if (t.skipped.contains(occurrence.Key())) {
                    continue;
                }
                DuePayment payment;
                payment.source = t;
                payment.occurrence = occurrence;
                payment.isNew = !lastCheck.isValid() || occurrence.due > lastCheck;
                payment.period = PeriodOf(t.NewOrder(0, today, occurrence.month), occurrence);
                due.append(payment);
            }
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const DuePayment& a, const DuePayment& b) {
        return a.occurrence.due < b.occurrence.due;
    });
    return due;
}

DueList Read(const TemplateStore& store, const QList<OrderRow>& orders, const QDate& today) {
    return Read(
        store, [&orders] { return orders; }, today);
}

DueList Read(const TemplateStore& store, const std::function<QList<OrderRow>()>& orders,
             const QDate& today) {
    DueList list;
    list.templates = store.ReadAll();
    const QList<OrderTemplate>& templates = list.templates.templates;
    if (std::any_of(templates.begin(), templates.end(),
                    [](const OrderTemplate& each) { return each.recurrence.Repeats(); })) {
        list.payments = Find(templates, orders(), store.LastCheck(), today);
    }
    return list;
}

}  // namespace DuePayments
