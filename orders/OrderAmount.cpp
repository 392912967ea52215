#include "orders/OrderAmount.h"

#include <QRegularExpression>

namespace OrderAmount {
namespace {

// Roubles without leading zeros, either all digits in a row or in groups of three after the
// first group; then kopecks after a point or a comma (one or two digits), or after a dash (the
// paper form's "1234-56", always two).
const QRegularExpression& AmountPattern() {
    static const QRegularExpression kPattern(
        QStringLiteral("^(0|[1-9][0-9]*|[1-9][0-9]{0,2}(?:[ "
                       "\\x{00A0}][0-9]{3})+)(?:[.,]([0-9]{1,2})|-([0-9]{2}))?$"));
    return kPattern;
}

bool IsBlank(QChar c) {
    return c == u' ' || c == QChar(0x00A0);
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

}  // namespace

bool ParseKopecks(const QString& text, qint64* kopecks) {
    const QRegularExpressionMatch match = AmountPattern().match(TrimBlanks(text));
    if (!match.hasMatch()) {
        return false;
    }
    QString roubles = match.captured(1);
    roubles.remove(u' ').remove(QChar(0x00A0));
    // Twelve digits of roubles at most: anything longer is beyond the limit, and would not fit
    // in the count of kopecks either.
    if (roubles.size() > 12) {
        return false;
    }
    QString cents = match.hasCaptured(2) ? match.captured(2) : match.captured(3);
    if (cents.size() == 1) {
        cents += u'0';  // "1234,5" is 1234 roubles 50 kopecks
    }
    const qint64 value = roubles.toLongLong() * 100 + cents.toLongLong();
    if (value <= 0 || value > kMaxKopecks) {
        return false;
    }
    *kopecks = value;
    return true;
}

QString ExchangeText(qint64 kopecks) {
    return QStringLiteral("%1.%2").arg(kopecks / 100).arg(kopecks % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace OrderAmount
