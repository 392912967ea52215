#include "orders/OrderTexts.h"

#include <QRegularExpression>
#include <limits>

namespace OrderTexts {
namespace {

bool IsCSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

QString NumberText(int number) {
    return QString::asprintf("%4d", number);
}

int NumberFromText(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate as a 64-bit value and stop growing once past the range of int.
    constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = qMin(kLimit, value * 10 + (text[i].unicode() - u'0'));
    }
    if (negative) {
        value = -value;
    }
    return int(qBound(qint64(std::numeric_limits<int>::min()), value,
                      qint64(std::numeric_limits<int>::max())));
}

bool ParseWholeNumber(const QString& text, int* number) {
    static const QRegularExpression kWholeNumber(QStringLiteral("^\\s*([+-]?[0-9]+)\\s*$"));
    const QRegularExpressionMatch match = kWholeNumber.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    bool ok = false;
    const int value = match.captured(1).toInt(&ok, 10);
    if (ok) {
        *number = value;
    }
    return ok;
}

QString DateText(const QDate& date) {
    return QString::asprintf("%2d.%2d.%4d", date.day(), date.month(), date.year());
}

QDate DateFromText(const QString& text) {
    const int day = NumberFromText(QStringView(text).left(2));
    const int month = NumberFromText(QStringView(text).mid(3, 2));
    const int year = NumberFromText(QStringView(text).right(4));
    if (year < 1) {
        return QDate();  // no year 0 in the calendar, and no years before Christ in a payment
    }
    return QDate(year, month, day);
}

}  // namespace OrderTexts
