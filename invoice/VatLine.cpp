#include "invoice/VatLine.h"

#include <QRegularExpression>
#include <QSettings>

#include "orders/OrderAmount.h"

namespace VatLine {
namespace {

const QString kRateKey = QStringLiteral("OrderDialog/VatRate");

}  // namespace

const QList<int>& Rates() {
    static const QList<int> kRates = {22, 10, 7, 5, 0};
    return kRates;
}

qint64 IncludedKopecks(qint64 kopecks, int rate) {
    if (rate <= 0) {
        return 0;
    }
    // Twice the quotient, plus one, halved: the nearest whole kopeck, a half rounded up. The
    // largest amount of an order times 2 × 22 stays far inside 64 bits.
    const qint64 divisor = 100 + rate;
    return (kopecks * rate * 2 + divisor) / (divisor * 2);
}

QString Text(qint64 kopecks, int rate) {
    if (rate == kWithoutVat) {
        return QStringLiteral("Без налога (НДС)");
    }
    return QStringLiteral("В т.ч. НДС %1 % — %2 руб.")
        .arg(rate)
        .arg(OrderAmount::TypedText(IncludedKopecks(kopecks, rate)));
}

QString Appended(const QString& purpose, qint64 kopecks, int rate) {
    static const QRegularExpression kLineAtEnd(
        QStringLiteral("\\s*(В т\\.ч\\. НДС \\d+ % — \\d+,\\d\\d руб\\.|Без налога \\(НДС\\))$"));
    QString text = purpose;
    text.remove(kLineAtEnd);
    text = text.trimmed();
    if (text.isEmpty()) {
        return Text(kopecks, rate);
    }
    static const QRegularExpression kEndsSentence(QStringLiteral("[.,;:!?]$"));
    if (!kEndsSentence.match(text).hasMatch()) {
        text += u'.';
    }
    return text + u' ' + Text(kopecks, rate);
}

int RememberedRate(const QSettings& settings) {
    bool number = false;
    const int rate = settings.value(kRateKey).toInt(&number);
    return number && (rate == kWithoutVat || Rates().contains(rate)) ? rate : Rates().constFirst();
}

void RememberRate(QSettings& settings, int rate) {
    settings.setValue(kRateKey, rate);
}

}  // namespace VatLine
