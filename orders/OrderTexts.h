#pragma once

#include <QDate>
#include <QString>

// Order numbers and dates are kept as text in the rows and files; these turn them into text and
// back.
namespace OrderTexts {

// "%4d": right-aligned in four places, wider numbers take what they need ("   7", "12345").
QString NumberText(int number);
// The number at the start of a text by the rules of the C library's atoi: leading white space,
// an optional sign, then digits up to the first other character; no digits give 0. A number
// beyond the range of int gives the nearest end of the range.
int NumberFromText(QStringView text);
// A whole number as typed into a field: optional sign and decimal digits, blanks around allowed.
// False for anything else, and for a number outside the range of int.
bool ParseWholeNumber(const QString& text, int* number);

// "%2d.%2d.%4d": day and month padded with a blank, as " 5. 3.2001".
QString DateText(const QDate& date);
// Day from the first two characters, month from the fourth and fifth, year from the last four,
// each by the atoi rules. An invalid date when those make none.
QDate DateFromText(const QString& text);
// A date written as people write it: day, point, month, point, four-digit year, the day and the
// month with one or two digits ("8.12.2026", "08.12.2026", " 8.12.2026"). An invalid date for any
// other text, blanks around it aside.
QDate ParseWrittenDate(QStringView text);
// The date of an order as the lists show it, "08.12.2026"; a text that is no date, as it is.
QString ShownDate(const QString& text);

}  // namespace OrderTexts
