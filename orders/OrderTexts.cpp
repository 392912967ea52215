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

QDate ParseWrittenDate(QStringView text) {
    text = text.trimmed();
    int parts[3] = {0, 0, 0};
    const int widest[3] = {2, 2, 4};
    qsizetype at = 0;
    for (int part = 0; part < 3; ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != u'.') {
                return QDate();
            }
            ++at;
            while (part == 1 && at < text.size() && text[at] == u' ') {
                ++at;  // " 8. 3.2026": the blank "%2d" puts before a month
            }
        }
        const qsizetype start = at;
        // A run of digits longer than the part's width is no date: it is not added up, where a
        // long number typed in the search would overflow.
        for (; at < text.size() && IsDigit(text[at]); ++at) {
            if (at - start == widest[part]) {
                return QDate();
            }
            parts[part] = parts[part] * 10 + (text[at].unicode() - u'0');
        }
        const qsizetype digits = at - start;
        if (digits == 0 || (part == 2 && digits != 4)) {
            return QDate();
        }
    }
    return at == text.size() && parts[2] > 0 ? QDate(parts[2], parts[1], parts[0]) : QDate();
}

QString ShownDate(const QString& text) {
    const QDate date = ParseWrittenDate(text);
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : text;
}

}  // namespace OrderTexts
