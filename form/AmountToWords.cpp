#include "form/AmountToWords.h"

#include <QByteArray>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Word tables, lower case; index is the digit. The units come masculine and feminine (thousands).
const char* const kUnits[2][10] = {
    {"", "один", "два", "три", "четыре", "пять", "шесть", "семь", "восемь", "девять"},
    {"", "одна", "две", "три", "четыре", "пять", "шесть", "семь", "восемь", "девять"}};
const char* const kTeens[10] = {"десять",       "одиннадцать", "двенадцать",  "тринадцать",
                                "четырнадцать", "пятнадцать",  "шестнадцать", "семнадцать",
                                "восемнадцать", "девятнадцать"};
const char* const kTens[10] = {"",          "",           "двадцать",  "тридцать",    "сорок",
                               "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
const char* const kHundreds[10] = {"",        "сто",      "двести",  "триста",    "четыреста",
                                   "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};

// The groups of three digits from the highest, with the word that names each and its three
// forms (for 1, for 2-4, for 0 and 5-9); the last group has no word.
struct Scale {
    qint64 size;
    bool feminine;
    const char* forms[3];
};
const Scale kScales[] = {{1000000000, false, {"миллиард", "миллиарда", "миллиардов"}},
                         {1000000, false, {"миллион", "миллиона", "миллионов"}},
                         {1000, true, {"тысяча", "тысячи", "тысяч"}},
                         {1, false, {nullptr, nullptr, nullptr}}};

// Roubles of up to 12 digits (999 999 999 999) are written in words, longer ones in figures.
constexpr int kMaxDigitsInWords = 12;

// Which of the three forms of a counted word goes with n: 11-19 take the third form whatever
// their last digit.
int PluralForm(int n) {
    const int lastTwo = n % 100;
    const int last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 19) {
        return 2;
    }
    if (last == 1) {
        return 0;
    }
    return last >= 2 && last <= 4 ? 1 : 2;
}

// Appends the words of a group of three digits (1-999).
void AppendGroup(QStringList& words, int n, bool feminine) {
    if (n >= 100) {
        words << QString::fromUtf8(kHundreds[n / 100]);
    }
    n %= 100;
    if (n >= 10 && n <= 19) {
        words << QString::fromUtf8(kTeens[n - 10]);
        return;
    }
    if (n >= 20) {
        words << QString::fromUtf8(kTens[n / 10]);
    }
    if (n % 10 != 0) {
        words << QString::fromUtf8(kUnits[feminine ? 1 : 0][n % 10]);
    }
}

// The whole roubles in lower-case words, 0 to 999 999 999 999.
QString WholeInWords(qint64 n) {
    if (n == 0) {
        return QStringLiteral("ноль");
    }
    QStringList words;
    for (const Scale& scale : kScales) {
        const int group = int(n / scale.size % 1000);
        if (group == 0) {
            continue;
        }
        AppendGroup(words, group, scale.feminine);
        if (scale.forms[0] != nullptr) {
            words << QString::fromUtf8(scale.forms[PluralForm(group)]);
        }
    }
    return words.join(QLatin1Char(' '));
}

// Adds one to a string of decimal digits.
QString Increment(QString digits) {
    int i = int(digits.size()) - 1;
    while (i >= 0 && digits[i] == QLatin1Char('9')) {
        digits[i--] = QLatin1Char('0');
    }
    if (i < 0) {
        digits.prepend(QLatin1Char('1'));
    } else {
        digits[i] = QChar(digits[i].unicode() + 1);
    }
    return digits;
}

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

QString AmountToWords(double amount) {
    QString roubles;
    int kopecks = 0;
    bool negative = std::signbit(amount);
    if (std::isnan(amount)) {
        roubles = QStringLiteral("не число");
        negative = false;
    } else if (std::isinf(amount)) {
        roubles = QStringLiteral("бесконечность");
    } else {
        // Split the shortest decimal that reads back as the amount, the way it was typed, so
        // that the rounding of the kopecks is not thrown off by binary fractions (2.675 is
        // 2 roubles 68 kopecks although the double lies a hair below it).
        const QString text =
            QString::number(std::fabs(amount), 'f', QLocale::FloatingPointShortest);
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        QString whole = point < 0 ? text : text.left(point);
        const QString fraction =
            (point < 0 ? QString() : text.mid(point + 1)) + QLatin1String("000");
        kopecks = fraction.left(2).toInt() + (fraction[2] >= QLatin1Char('5') ? 1 : 0);
        if (kopecks == 100) {
            kopecks = 0;
            whole = Increment(whole);
        }
        negative = negative && (whole != QLatin1String("0") || kopecks != 0);
        roubles = whole.size() <= kMaxDigitsInWords ? WholeInWords(whole.toLongLong()) : whole;
    }
    if (negative) {
        roubles.prepend(QStringLiteral("минус "));
    }
    roubles[0] = roubles[0].toUpper();
    return QStringLiteral("%1 руб. %2 коп.").arg(roubles, QString::number(kopecks));
}

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
