#pragma once

#include <QDate>
#include <QString>

// Moving the period a payment is for along by a number of months, as a repeated order needs it:
// "за ноябрь 2026" becomes "за декабрь 2026" a month later. What counts as a period:
//   - a month's name, with or without the year after it, in the forms a purpose uses ("ноябрь",
//     "ноября", "ноябре"; its letter case kept): "за ноябрь 2026" → "за декабрь 2026", the year
//     following at the year's end ("декабрь 2026" → "январь 2027"); a bare name moves alone;
//   - a month and a year in figures, "11.2026" → "12.2026";
//   - the tax period of field 107, "МС.11.2026" (a month), "КВ.04.2026" (a quarter), "ПЛ.02.2026"
//     (a half-year), "ГД.00.2026" (a year), and the same in words: "за 4 квартал 2026",
//     "за 1 полугодие 2026", "за 2026 год". A quarter, a half-year or a year moves once the months
//     reach its end: 1 month keeps "КВ.04.2026" while 3 make it "КВ.01.2027".
// A date is never a period and stays as it stands: "от 01.11.2026", "от 1 ноября 2026",
// "с 1 по 30 ноября" (the day before the month's name makes it a date).
namespace PeriodShift {

// The text with every period in it moved by months (a negative count moves back).
QString Move(const QString& text, int months);

// The first period with its year that the text names, told as a purpose tells it: "декабрь 2026"
// (for "за декабрь 2026", "12.2026" or "МС.12.2026"), "1 квартал 2027" ("КВ.01.2027"),
// "2 полугодие 2026", "2026 год"; empty when it names none.
QString NamedPeriod(const QString& text);

// The count of months from the month of one date to that of another: 1 from any day of November
// to any of December.
int MonthsBetween(const QDate& from, const QDate& to);

// "декабрь 2026": the month's name and its year, as a payment's period is told.
QString MonthCaption(const QDate& month);

}  // namespace PeriodShift
