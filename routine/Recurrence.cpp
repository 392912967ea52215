#include "routine/Recurrence.h"

#include "common/WorkingDays.h"

namespace {

bool IsDay(int day) {
    return day == Recurrence::kLastWorkingDay || (day >= 1 && day <= 31);
}

QString DayText(int day) {
    return day == Recurrence::kLastWorkingDay ? QStringLiteral("в последний рабочий день")
                                              : QStringLiteral("%1-го числа").arg(day);
}

QString EveryText(int months) {
    switch (months) {
        case 1:
            return QStringLiteral("ежемесячно");
        case 3:
            return QStringLiteral("ежеквартально");
        case 6:
            return QStringLiteral("раз в полгода");
        case 12:
            return QStringLiteral("ежегодно");
        default:
            return QStringLiteral("раз в %1 месяца").arg(months);
    }
}

// The second day of a month paid twice comes after the first; the last working day is last.
bool SecondAfterFirst(int first, int second) {
    return first != Recurrence::kLastWorkingDay &&
           (second == Recurrence::kLastWorkingDay || second > first);
}

}  // namespace

QString Recurrence::Problem() const {
    if (kind == Kind::None) {
        return QString();
    }
    if (!first.isValid()) {
        return QStringLiteral("не указан месяц первого платежа");
    }
    if (!IsDay(day) || (kind == Kind::TwiceMonthly && !IsDay(secondDay))) {
        return QStringLiteral("день платежа — число от 1 до 31 или последний рабочий день");
    }
    if (kind == Kind::TwiceMonthly && !SecondAfterFirst(day, secondDay)) {
        return QStringLiteral("второй платеж месяца должен быть позже первого");
    }
    if (kind == Kind::Monthly && everyMonths != 1 && everyMonths != 2 && everyMonths != 3 &&
        everyMonths != 6 && everyMonths != 12) {
        return QStringLiteral("платеж повторяется раз в 1, 2, 3, 6 или 12 месяцев");
    }
    return QString();
}

QString Recurrence::Text() const {
    switch (kind) {
        case Kind::None:
            break;
        case Kind::Monthly:
            return EveryText(everyMonths) + QStringLiteral(", ") + DayText(day);
        case Kind::TwiceMonthly:
            if (secondDay == kLastWorkingDay) {
                return QStringLiteral("два раза в месяц: %1-го числа и в последний рабочий день")
                    .arg(day);
            }
            return QStringLiteral("два раза в месяц: %1-го и %2-го числа").arg(day).arg(secondDay);
    }
    return QStringLiteral("не повторяется");
}

bool Recurrence::operator==(const Recurrence& other) const {
    return kind == other.kind && everyMonths == other.everyMonths && day == other.day &&
           secondDay == other.secondDay && first == other.first;
}

QString Occurrence::Key() const {
    const QString key = month.toString(QStringLiteral("yyyy-MM"));
    return index == 1 ? key : key + QStringLiteral("/%1").arg(index);
}

QDate DueDay(const QDate& month, int day) {
    if (day == Recurrence::kLastWorkingDay) {
        return WorkingDays::LastOfMonth(month);
    }
    return WorkingDays::OnOrBefore(
        QDate(month.year(), month.month(), qMin(day, month.daysInMonth())));
}

QList<Occurrence> OccurrencesThrough(const Recurrence& recurrence, const QDate& date) {
    QList<Occurrence> occurrences;
    if (!recurrence.Repeats() || !recurrence.Problem().isEmpty() || !date.isValid()) {
        return occurrences;
    }
    const bool twice = recurrence.kind == Recurrence::Kind::TwiceMonthly;
    const int step = twice ? 1 : recurrence.everyMonths;
    const QDate first(recurrence.first.year(), recurrence.first.month(), 1);
    // The days off at a month's start (the New Year's) can bring its due day into the month
    // before, so the month after the date's is looked at too.
    const QDate last = date.addMonths(1);
    for (QDate month = first; month <= last; month = month.addMonths(step)) {
        for (int index = 1; index <= (twice ? 2 : 1); ++index) {
            const QDate due = DueDay(month, index == 1 ? recurrence.day : recurrence.secondDay);
            if (due <= date) {
                occurrences.append({month, index, due});
            }
        }
    }
    return occurrences;
}
