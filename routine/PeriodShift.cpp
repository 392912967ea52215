#include "routine/PeriodShift.h"

#include <QRegularExpression>
#include <array>

namespace PeriodShift {
namespace {

// The months' stems; a stem and one of its type's endings make the name in one of its forms.
const std::array<const char16_t*, 12> kStems = {u"январ",   u"феврал", u"март",  u"апрел",
                                                u"ма",      u"июн",    u"июл",   u"август",
                                                u"сентябр", u"октябр", u"ноябр", u"декабр"};

// The endings of the forms a purpose uses: "за ноябрь", "до конца ноября", "в ноябре".
enum Form { kNominative, kGenitive, kPrepositional, kFormCount };
using Endings = std::array<const char16_t*, kFormCount>;
constexpr Endings kSoftEndings = {u"ь", u"я", u"е"};  // ноябрь, ноября, ноябре
constexpr Endings kHardEndings = {u"", u"а", u"е"};   // март, марта, марте
constexpr Endings kMayEndings = {u"й", u"я", u"е"};   // май, мая, мае

const Endings& EndingsOf(int month) {
    if (month == 3 || month == 8) {
        return kHardEndings;
    }
    return month == 5 ? kMayEndings : kSoftEndings;
}

QString MonthName(int month, Form form) {
    return QString::fromUtf16(kStems[month - 1]) + QString::fromUtf16(EndingsOf(month)[form]);
}

// The month (1 to 12) and form of a name as the pattern found it, letter case ignored.
bool ReadMonthName(const QString& word, int* month, Form* form) {
    const QString lower = word.toLower();
    for (int m = 1; m <= 12; ++m) {
        for (int f = 0; f < kFormCount; ++f) {
            if (lower == MonthName(m, Form(f))) {
                *month = m;
                *form = Form(f);
                return true;
            }
        }
    }
    return false;
}

// The word written in the letter case of another: "НОЯБРЬ", "Ноябрь" or "ноябрь".
QString InCaseOf(const QString& word, const QString& model) {
    if (model.size() > 1 && model == model.toUpper()) {
        return word.toUpper();
    }
    if (model.at(0).isUpper()) {
        return word.left(1).toUpper() + word.mid(1);
    }
    return word;
}

// Every form the program reads as a period, each alternative with groups of its own. Nothing
// that continues a word or a number stands right before a period.
const QRegularExpression& PeriodPattern() {
    static const QRegularExpression kPattern(
        QStringLiteral(
            "(?<![\\p{L}\\p{N}])(?:"
            // field 107: МС.11.2026, КВ.04.2026, ПЛ.02.2026, ГД.00.2026
            "(?<code>МС|КВ|ПЛ|ГД)\\.(?<codeNumber>\\d\\d)\\.(?<codeYear>\\d{4})(?!\\d)"
            // 4 квартал 2026, IV квартал 2026 г., 1-е полугодие 2026 года
            "|(?<ordinal>[1-4]|IV|I{1,3})(?<suffix>-?(?:й|е|го|м|ом))?(?<ordinalGap>\\s+)"
            "(?<unit>квартал[ае]?|полугоди[еяи])(?!\\p{L})(?<unitGap>\\s+)(?<unitYear>\\d{4})"
            "(?!\\d)"
            // ноябрь 2026, ноября, в ноябре
            "|(?<month>(?:январ|феврал|апрел|июн|июл|сентябр|октябр|ноябр|декабр)[ьяе]"
            "|(?:март|август)[ае]?|ма[йяе])(?!\\p{L})(?:(?<monthGap>\\s+)(?<monthYear>\\d{4})"
            "(?!\\d|[.,]\\d))?"
            // 11.2026, but not the end of the date 01.11.2026
            "|(?<![.,/])(?<figureMonth>0[1-9]|1[0-2])\\.(?<figureYear>(?:19|20)\\d\\d)(?![\\d]|"
            "[.,]\\d)"
            // за 2026 год
            "|(?<year>(?:19|20)\\d\\d)(?<yearGap>\\s+)(?<yearWord>год[ау]?|г\\.)(?!\\p{L})"
            ")"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return kPattern;
}

int FloorDiv(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// A period of span months (1, 3, 6 or 12) that starts in month first (1 to 12) of year, moved
// by months: its number within the year (1 for January, the first quarter, ...) and its year.
struct Span {
    int number;
    int year;
};
Span MoveSpan(int year, int first, int span, int months) {
    const int absolute = year * 12 + (first - 1) + months;
    const int newYear = FloorDiv(absolute, 12);
    return {(absolute - newYear * 12) / span + 1, newYear};
}

bool IsYear(int year) {
    return year >= 1000 && year <= 9999;
}

// The last word of the text before a position, in lower case.
QString WordBefore(const QString& text, qsizetype position) {
    qsizetype end = position;
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    qsizetype begin = end;
    while (begin > 0 && text.at(begin - 1).isLetterOrNumber()) {
        --begin;
    }
    return text.mid(begin, end - begin).toLower();
}

// A month's name right after a number is a date ("1 ноября"), not a period.
bool FollowsDayNumber(const QString& text, qsizetype position) {
    const QString word = WordBefore(text, position);
    return !word.isEmpty() && word.at(word.size() - 1).isDigit();
}

const std::array<const char*, 4> kRoman = {"I", "II", "III", "IV"};

int OrdinalValue(const QString& ordinal) {
    for (int i = 0; i < int(kRoman.size()); ++i) {
        if (ordinal.compare(QLatin1String(kRoman[i]), Qt::CaseInsensitive) == 0) {
            return i + 1;
        }
    }
    return ordinal.toInt();
}

QString Year(int year) {
    return QString::number(year);
}

QString TwoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// The match moved by months; the match as it stands when it is not a period after all.
QString MovedCode(const QRegularExpressionMatch& match, int months) {
    const QString code = match.captured(u"code");
    const int number = match.captured(u"codeNumber").toInt();
    const int year = match.captured(u"codeYear").toInt();
    const QString upper = code.toUpper();
    const int span = upper == u"МС" ? 1 : upper == u"КВ" ? 3 : upper == u"ПЛ" ? 6 : 12;
    const bool valid = span == 12 ? number == 0 : number >= 1 && number <= 12 / span;
    const Span moved = MoveSpan(year, span == 12 ? 1 : (number - 1) * span + 1, span, months);
    if (!valid || !IsYear(moved.year)) {
        return match.captured();
    }
    return QStringLiteral("%1.%2.%3")
        .arg(code, span == 12 ? QStringLiteral("00") : TwoDigits(moved.number), Year(moved.year));
}

QString MovedOrdinal(const QRegularExpressionMatch& match, int months) {
    const QString ordinal = match.captured(u"ordinal");
    const QString unit = match.captured(u"unit");
    const int span = unit.startsWith(u"к", Qt::CaseInsensitive) ? 3 : 6;
    const int number = OrdinalValue(ordinal);
    if (number > 12 / span) {
        return match.captured();
    }
    const Span moved =
        MoveSpan(match.captured(u"unitYear").toInt(), (number - 1) * span + 1, span, months);
    if (!IsYear(moved.year)) {
        return match.captured();
    }
    const bool roman = !ordinal.at(0).isDigit();
    const QString newOrdinal =
        roman ? QLatin1String(kRoman[moved.number - 1]) : QString::number(moved.number);
    return newOrdinal + match.captured(u"suffix") + match.captured(u"ordinalGap") + unit +
           match.captured(u"unitGap") + Year(moved.year);
}

QString MovedMonthName(const QString& text, const QRegularExpressionMatch& match, int months) {
    const QString word = match.captured(u"month");
    int month = 0;
    Form form = kNominative;
    if (FollowsDayNumber(text, match.capturedStart()) || !ReadMonthName(word, &month, &form)) {
        return match.captured();
    }
    if (!match.hasCaptured(u"monthYear")) {
        const int moved = ((month - 1 + months) % 12 + 12) % 12 + 1;
        return InCaseOf(MonthName(moved, form), word);
    }
    const Span moved = MoveSpan(match.captured(u"monthYear").toInt(), month, 1, months);
    if (!IsYear(moved.year)) {
        return match.captured();
    }
    return InCaseOf(MonthName(moved.number, form), word) + match.captured(u"monthGap") +
           Year(moved.year);
}

QString MovedFigures(const QRegularExpressionMatch& match, int months) {
    const Span moved = MoveSpan(match.captured(u"figureYear").toInt(),
                                match.captured(u"figureMonth").toInt(), 1, months);
    return IsYear(moved.year) ? TwoDigits(moved.number) + u'.' + Year(moved.year)
                              : match.captured();
}

QString MovedYear(const QString& text, const QRegularExpressionMatch& match, int months) {
    // Only "за 2026 год" is the period of a payment; "договор 2026 года" names a document.
    if (WordBefore(text, match.capturedStart()) != u"за") {
        return match.captured();
    }
    const Span moved = MoveSpan(match.captured(u"year").toInt(), 1, 12, months);
    if (!IsYear(moved.year)) {
        return match.captured();
    }
    return Year(moved.year) + match.captured(u"yearGap") + match.captured(u"yearWord");
}

QString Moved(const QString& text, const QRegularExpressionMatch& match, int months) {
    if (match.hasCaptured(u"code")) {
        return MovedCode(match, months);
    }
    if (match.hasCaptured(u"ordinal")) {
        return MovedOrdinal(match, months);
    }
    if (match.hasCaptured(u"month")) {
        return MovedMonthName(text, match, months);
    }
    if (match.hasCaptured(u"figureMonth")) {
        return MovedFigures(match, months);
    }
    return MovedYear(text, match, months);
}

// How NamedPeriod tells the period of a match; empty when it is none.
QString Told(const QString& text, const QRegularExpressionMatch& match) {
    int month = 0;
    int year = 0;
    Form form = kNominative;
    if (match.hasCaptured(u"code")) {
        const QString code = match.captured(u"code").toUpper();
        const int number = match.captured(u"codeNumber").toInt();
        const QString codeYear = match.captured(u"codeYear");
        if (code == u"КВ" && number >= 1 && number <= 4) {
            return QStringLiteral("%1 квартал %2").arg(number).arg(codeYear);
        }
        if (code == u"ПЛ" && number >= 1 && number <= 2) {
            return QStringLiteral("%1 полугодие %2").arg(number).arg(codeYear);
        }
        if (code == u"ГД" && number == 0) {
            return codeYear + QStringLiteral(" год");
        }
        if (code == u"МС") {
            month = number;
            year = codeYear.toInt();
        }
    } else if (match.hasCaptured(u"ordinal")) {
        const bool quarter = match.captured(u"unit").startsWith(u"к", Qt::CaseInsensitive);
        const int number = OrdinalValue(match.captured(u"ordinal"));
        if (number <= (quarter ? 4 : 2)) {
            return QStringLiteral("%1 %2 %3")
                .arg(number)
                .arg(quarter ? QStringLiteral("квартал") : QStringLiteral("полугодие"),
                     match.captured(u"unitYear"));
        }
    } else if (match.hasCaptured(u"monthYear") && !FollowsDayNumber(text, match.capturedStart()) &&
               ReadMonthName(match.captured(u"month"), &month, &form)) {
        year = match.captured(u"monthYear").toInt();
    } else if (match.hasCaptured(u"figureMonth")) {
        month = match.captured(u"figureMonth").toInt();
        year = match.captured(u"figureYear").toInt();
    } else if (match.hasCaptured(u"year") && WordBefore(text, match.capturedStart()) == u"за") {
        return match.captured(u"year") + QStringLiteral(" год");
    }
    return month >= 1 && month <= 12 && IsYear(year)
               ? MonthName(month, kNominative) + u' ' + Year(year)
               : QString();
}

}  // namespace

QString Move(const QString& text, int months) {
    if (months == 0) {
        return text;
    }
    QString moved;
    qsizetype done = 0;
    QRegularExpressionMatchIterator it = PeriodPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        moved += QStringView(text).mid(done, match.capturedStart() - done);
        moved += Moved(text, match, months);
        done = match.capturedEnd();
    }
    moved += QStringView(text).mid(done);
    return moved;
}

QString NamedPeriod(const QString& text) {
    QRegularExpressionMatchIterator it = PeriodPattern().globalMatch(text);
    while (it.hasNext()) {
        const QString told = Told(text, it.next());
        if (!told.isEmpty()) {
            return told;
        }
    }
    return QString();
}

int MonthsBetween(const QDate& from, const QDate& to) {
    return (to.year() - from.year()) * 12 + (to.month() - from.month());
}

QString MonthCaption(const QDate& month) {
    return MonthName(month.month(), kNominative) + u' ' + Year(month.year());
}

}  // namespace PeriodShift
