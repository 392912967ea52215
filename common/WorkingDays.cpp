#include "common/WorkingDays.h"

#include <array>

namespace WorkingDays {
namespace {

struct Holiday {
    int month;
    int day;
};

// The non-working public holidays, each year on the same date.
constexpr std::array<Holiday, 14> kHolidays = {{
    {1, 1},
    {1, 2},
    {1, 3},
    {1, 4},
    {1, 5},
    {1, 6},
    {1, 7},
    {1, 8},   // New Year and Christmas
    {2, 23},  // Defender of the Fatherland
    {3, 8},   // Women's Day
    {5, 1},   // Spring and Labour
    {5, 9},   // Victory Day
    {6, 12},  // Russia Day
    {11, 4},  // Unity Day
}};

bool IsHoliday(const QDate& date) {
    for (const Holiday& holiday : kHolidays) {
        if (holiday.month == date.month() && holiday.day == date.day()) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsWorkingDay(const QDate& date) {
    return date.dayOfWeek() < Qt::Saturday && !IsHoliday(date);
}

QDate OnOrBefore(const QDate& date) {
    QDate day = date;
    while (!IsWorkingDay(day)) {
        day = day.addDays(-1);
    }
    return day;
}

QDate LastOfMonth(const QDate& date) {
    return OnOrBefore(QDate(date.year(), date.month(), date.daysInMonth()));
}

QDate After(const QDate& date, int n) {
    QDate day = date;
    while (n > 0) {
        day = day.addDays(1);
        n -= IsWorkingDay(day) ? 1 : 0;
    }
    return day;
}

}  // namespace WorkingDays
