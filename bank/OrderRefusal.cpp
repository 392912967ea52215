#include "bank/OrderRefusal.h"

#include "common/StorableText.h"
#include "orders/OrderRow.h"

OrderRefusal OrderRefusal::Of(qsizetype index, const OrderRow& order, const QStringList& reasons) {
    QString number = order[kColumnNumber];
    number.remove(u' ');
    return {index, number, reasons};
}

QString OrderRefusal::Text() const {
    const QString order = number.isEmpty() ? QStringLiteral("Платежка без номера")
                                           : QStringLiteral("Платежка %1").arg(number);
    return order + QStringLiteral(": ") + reasons.join(QStringLiteral("; "));
}

QString OrderRefusal::ListText(const QList<OrderRefusal>& refused) {
    QStringList texts;
    for (const OrderRefusal& refusal : refused) {
        texts.append(WithVisibleControls(refusal.Text()));
    }
    return texts.join(QLatin1Char('\n'));
}
