#pragma once

#include <QDate>
#include <QList>
#include <QString>

// When a template's payment repeats: every month (or every few months) on a day of the month or
// on its last working day, or twice a month on two days. A day that is not a working day brings
// the payment to the working day before it, so that it is never late; a day beyond the month's
// end is its last day (31 is 28 February).
struct Recurrence {
    enum class Kind { None, Monthly, TwiceMonthly };
    // Stands for the day of the month: the month's last working day.
    static constexpr int kLastWorkingDay = 0;

    Kind kind = Kind::None;
    int everyMonths = 1;  // Monthly: 1, 2, 3, 6 or 12 (a month, a quarter, a half-year, a year)
    int day = 1;          // 1 to 31 or kLastWorkingDay
    int secondDay = 15;   // TwiceMonthly: the second payment's day, after the first
    QDate first;          // the month of the first payment (its first day)

    bool Repeats() const { return kind != Kind::None; }
    // Why the recurrence cannot be kept, in the user's words; empty when it can.
    QString Problem() const;
    // "ежемесячно, 5-го числа", "ежеквартально, в последний рабочий день",
    // "два раза в месяц: 10-го и 25-го числа"; "не повторяется".
    QString Text() const;
    bool operator==(const Recurrence& other) const;
};

// One payment of a recurrence: the month it belongs to and the day it falls due.
struct Occurrence {
    QDate month;    // the first day of its month
    int index = 1;  // 1, or 2 for the second payment of a month paid twice
    QDate due;

    // The key by which the template records the payment made or skipped: "2026-12", "2026-12/2".
    QString Key() const;
};

// The payments from the first month on whose due day is not after the date, oldest first.
QList<Occurrence> OccurrencesThrough(const Recurrence& recurrence, const QDate& date);

// The day a payment of the month falls due on the day of the month (or kLastWorkingDay).
QDate DueDay(const QDate& month, int day);
