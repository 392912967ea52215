#include "orders/OrderAmount.h"

#include "common/QuotedValue.h"

#include <QByteArray>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace {

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Blanks that people put between groups of digits.
bool IsDigitGap(QChar c) {
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

// Reads the digits from position i on, skipping blanks that stand between two digits; leaves i
// at the first character that does not belong to them.
QByteArray ReadDigits(const QString& text, qsizetype& i) {
    QByteArray digits;
    while (i < text.size()) {
        if (IsAsciiDigit(text[i])) {
            digits += char(text[i].unicode());
            ++i;
            continue;
        }
        qsizetype next = i;
        while (next < text.size() && IsDigitGap(text[next])) {
            ++next;
        }
        if (digits.isEmpty() || next == i || next == text.size() || !IsAsciiDigit(text[next])) {
            break;
        }
        i = next;
    }
    return digits;
}

// The exponent value of a string of digits, held within a bound that still overflows any double
// so that the count cannot overflow an int.
int ExponentValue(const QByteArray& digits) {
    int value = 0;
    for (const char c : digits) {
        value = std::min(value * 10 + (c - '0'), 100000);
    }
    return value;
}

}  // namespace

double ParseAmount(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) {
        ++i;
    }
    QByteArray number;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        number += char(text[i++].unicode());
    }
    const QByteArray whole = ReadDigits(text, i);
    QByteArray fraction;
    if (i < text.size() && (text[i] == QLatin1Char('.') || text[i] == QLatin1Char(','))) {
        ++i;
        fraction = ReadDigits(text, i);
    }
    if (whole.isEmpty() && fraction.isEmpty()) {
        return 0.0;
    }
    // An exponent counts only when it has digits: "1e" and "1e+" are 1.
    int exponent = 0;
    if (i < text.size() && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype next = i + 1;
        int sign = 1;
        if (next < text.size() &&
            (text[next] == QLatin1Char('-') || text[next] == QLatin1Char('+'))) {
            sign = text[next++] == QLatin1Char('-') ? -1 : 1;
        }
        exponent = sign * ExponentValue(ReadDigits(text, next));
    }
    number += (whole.isEmpty() ? QByteArray("0") : whole) + '.' + fraction + 'e' +
              QByteArray::number(exponent);
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (ok) {
        return value;
    }
    // The conversion gives up beyond the range of a double: a number of 1 or more overflows to
    // infinity, a smaller one underflows to zero.
    const QByteArray digits = whole + fraction;
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == '0') {
        ++first;
    }
    const bool overflow = whole.size() - 1 - first + exponent >= 0;
    const double magnitude = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    return number.startsWith('-') ? -magnitude : magnitude;
}

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

// The form nearly every order has, roubles in one group of at most twelve digits and kopecks
// after a point or a comma, read without the pattern: opening the archive reads the amount of
// every order. False for any other text, which the pattern reads.
bool ReadPlain(const QString& text, qint64* kopecks) {
    qsizetype i = 0;
    qint64 roubles = 0;
    for (; i < text.size() && i < 12 && IsAsciiDigit(text[i]); ++i) {
        roubles = roubles * 10 + (text[i].unicode() - u'0');
    }
    if (i == 0 || (text[0] == u'0' && i > 1)) {
        return false;
    }
    qint64 cents = 0;
    if (i < text.size()) {
        if (text[i] != u'.' && text[i] != u',') {
            return false;
        }
        const qsizetype first = ++i;
        for (; i < text.size() && i - first < 2 && IsAsciiDigit(text[i]); ++i) {
            cents = cents * 10 + (text[i].unicode() - u'0');
        }
        if (i == first || i != text.size()) {
            return false;
        }
        cents *= i - first == 1 ? 10 : 1;
    }
    *kopecks = roubles * 100 + cents;
    return true;
}

}  // namespace

bool ParseKopecks(const QString& text, qint64* kopecks) {
    qint64 plain = 0;
    if (ReadPlain(text, &plain)) {
        if (plain <= 0 || plain > kMaxKopecks) {
            return false;
        }
        *kopecks = plain;
        return true;
    }
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

QString WrongAmountMessage(const QString& text) {
    const QString largest = QLocale(QLocale::Russian, QLocale::Russia).toString(kMaxKopecks / 100) +
                            QStringLiteral(",%1").arg(kMaxKopecks % 100, 2, 10, QLatin1Char('0'));
    return QStringLiteral(
               "Неверная сумма: %1.\nНапишите сумму больше нуля и не больше %2 "
               "руб., копейки не более чем двумя цифрами: например, 1234,56, "
               "1\u00A0234,56, 1234.56, 1234-56 или 1234.")
        .arg(QuotedValue(text), largest);
}

QString NotAnAmountMessage(const QString& text) {
    return QStringLiteral("сумма %1 не является суммой платежа").arg(QuotedValue(text));
}

QString ExchangeText(qint64 kopecks) {
    return QStringLiteral("%1.%2").arg(kopecks / 100).arg(kopecks % 100, 2, 10, QLatin1Char('0'));
}

QString TypedText(qint64 kopecks) {
    return QStringLiteral("%1,%2").arg(kopecks / 100).arg(kopecks % 100, 2, 10, QLatin1Char('0'));
}

QString GroupedText(qint64 kopecks) {
    QString roubles = QString::number(kopecks / 100);
    for (qsizetype at = roubles.size() - 3; at > 0; at -= 3) {
        roubles.insert(at, QLatin1Char(' '));
    }
    return QStringLiteral("%1,%2").arg(roubles).arg(kopecks % 100, 2, 10, QLatin1Char('0'));
}

QString ShownText(const QString& text) {
    qint64 kopecks = 0;
    return ParseKopecks(text, &kopecks) ? GroupedText(kopecks) : text;
}

}  // namespace OrderAmount
