#include "requisites/OrdersOfParty.h"

namespace {

constexpr int kMostNamed = 10;

}  // namespace

QString PartyOrdersText(const QList<PartyOrder>& orders, bool withDates) {
    QStringList named;
    for (const PartyOrder& order : orders.mid(0, kMostNamed)) {
        named.append(withDates && !order.date.isEmpty()
                         ? QStringLiteral("№ %1 от %2").arg(order.number, order.date)
                         : QStringLiteral("№ %1").arg(order.number));
    }
    QString text = named.join(QStringLiteral(", "));
    if (orders.size() > kMostNamed) {
        text += QStringLiteral(" и еще %1").arg(orders.size() - kMostNamed);
    }
    return text;
}
