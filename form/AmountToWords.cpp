#include "form/AmountToWords.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

#include "common/RussianPlural.h"

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

// The form of a counted word that goes with n.
QString Form(qint64 n, const char* const (&forms)[3]) {
    return RussianPlural(n, QString::fromUtf8(forms[0]), QString::fromUtf8(forms[1]),
                         QString::fromUtf8(forms[2]));
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
            words << Form(group, scale.forms);
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

// The roubles of a count of kopecks as the words functions take them: whole roubles in
// digits, kopecks 0-99.
struct Split {
    bool negative = false;
    QString whole;
    int kopecks = 0;
};

Split SplitKopecks(qint64 kopecks) {
    Split split;
    split.negative = kopecks < 0;
    // Counted apart so that the most negative count does not overflow when made positive.
    const qint64 roubles = kopecks / 100;
    split.whole = QString::number(roubles < 0 ? -quint64(roubles) : quint64(roubles));
    split.kopecks = int(kopecks % 100 < 0 ? -(kopecks % 100) : kopecks % 100);
    return split;
}

// The roubles in words, or in figures beyond the words' reach, with a minus and a capital.
QString RoublesText(const Split& split) {
    QString roubles = split.whole.size() <= kMaxDigitsInWords
                          ? WholeInWords(split.whole.toLongLong())
                          : split.whole;
    if (split.negative) {
        roubles.prepend(QStringLiteral("минус "));
    }
    roubles[0] = roubles[0].toUpper();
    return roubles;
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

QString AmountToFullWords(qint64 kopecks) {
    static const char* const kRoubles[3] = {"рубль", "рубля", "рублей"};
    static const char* const kKopecks[3] = {"копейка", "копейки", "копеек"};
    const Split split = SplitKopecks(kopecks);
    // The form agrees with the last two digits of the roubles, whatever stands before them.
    const int lastTwo = split.whole.right(2).toInt();
    return QStringLiteral("%1 %2 %3 %4")
        .arg(RoublesText(split), Form(lastTwo, kRoubles))
        .arg(split.kopecks, 2, 10, QLatin1Char('0'))
        .arg(Form(split.kopecks, kKopecks));
}

QString AmountToFigures(qint64 kopecks) {
    const Split split = SplitKopecks(kopecks);
    return QStringLiteral("%1%2-%3")
        .arg(split.negative ? QStringLiteral("-") : QString(), split.whole)
        .arg(split.kopecks, 2, 10, QLatin1Char('0'));
}
