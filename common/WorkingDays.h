#pragma once

#include <QDate>

// Working days in Russia: every day but Saturdays, Sundays and the public holidays of the Labour
// Code (its article 112, in the table in WorkingDays.cpp). The days the government moves each
// year by decree are not in it: add them to that table where they matter.
namespace WorkingDays {

bool IsWorkingDay(const QDate& date);

// The date itself when it is a working day, else the working day before it.
QDate OnOrBefore(const QDate& date);

// The last working day of the month of the date.
QDate LastOfMonth(const QDate& date);

// The day n working days after the date: the bank's days, by which an order sent is due.
QDate After(const QDate& date, int n);

}  // namespace WorkingDays
