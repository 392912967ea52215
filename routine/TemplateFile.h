#pragma once

#include <QString>
#include <QStringList>

#include "routine/OrderTemplate.h"

// The file of one template, in code page 1251 with CRLF like every data file: "key=value" lines,
// then the order's lines as an order file holds them.
//
//     VemoTemplate=1
//     Name=Аренда офиса
//     Month=2026-11              the month the template's texts speak from
//     Repeat=monthly             none, monthly or twice-monthly; for the last two also:
//     Every=1                      months between payments (monthly)
//     Day=5                        day of the month, or "last" for the last working day
//     SecondDay=25                 the second payment's day (twice-monthly)
//     First=2026-12                month of the first payment
//     Skipped=2027-01            one line per payment skipped
//     Made=2026-12 17            one line per payment made: its key and the order's number
//     Order=10                   how many lines of the order follow (10 or 20)
//        ...                     the order's lines
//
// The id is the number in the file's name and is not in the file. Keys the program does not know
// are passed over, so that a later version's file still reads.
namespace TemplateFile {

QStringList ToLines(const OrderTemplate& orderTemplate);

// False, with *problem saying what is wrong in the user's words, when the lines are not a whole
// template: another kind of file, a newer version, a missing name or month, a recurrence that
// makes no sense, an order cut short.
bool FromLines(const QStringList& lines, OrderTemplate* orderTemplate, QString* problem);

}  // namespace TemplateFile
