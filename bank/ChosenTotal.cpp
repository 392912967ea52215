#include "bank/ChosenTotal.h"

#include "common/RussianPlural.h"
#include "orders/OrderAmount.h"

void ChosenTotal::Add(const QString& amountText) {
    qint64 kopecks = 0;
    const bool isAmount = OrderAmount::ParseKopecks(amountText, &kopecks);
    AddKopecks(isAmount, kopecks);
}

void ChosenTotal::AddKopecks(bool isAmount, qint64 kopecks) {
    ++m_count;
    if (isAmount) {
        m_kopecks += kopecks;  // 10^14 kopecks an order leaves room for 90 000 orders and more
    } else {
        ++m_notAmounts;
    }
}

QString ChosenTotal::AmountText(qint64 kopecks) {
    return OrderAmount::GroupedText(kopecks);
}

QString ChosenTotal::Sum(const QString& verb) const {
    QString text =
        QStringLiteral("%1 %2 на сумму %3 руб.").arg(verb).arg(m_count).arg(AmountText(m_kopecks));
    if (m_notAmounts > 0) {
        // After "у": the genitive, "поручения" for one and "поручений" for more.
        text += QStringLiteral("; у %1 %2 сумма не число, она не сложена")
                    .arg(m_notAmounts)
                    .arg(RussianPlural(m_notAmounts, QStringLiteral("поручения"),
                                       QStringLiteral("поручений"), QStringLiteral("поручений")));
    }
    return text;
}

QString ChosenTotal::Text() const {
    return m_count == 0 ? QStringLiteral("Ничего не выбрано") : Sum(QStringLiteral("Выбрано"));
}

QString ChosenTotal::ExportedText() const {
    return Sum(QStringLiteral("Выгружено"));
}

QString ChosenTotal::ListLine(qsizetype shown, qsizetype all, const ChosenTotal& chosen) {
    const QString orders = RussianPlural(shown, QStringLiteral("поручение"),
                                         QStringLiteral("поручения"), QStringLiteral("поручений"));
    const QString head =
        shown == all ? QStringLiteral("Показано %1 %2").arg(shown).arg(orders)
                     : QStringLiteral("Показано %1 %2 из %3").arg(shown).arg(orders).arg(all);
    return QStringLiteral("%1. %2").arg(head, chosen.Text());
}
