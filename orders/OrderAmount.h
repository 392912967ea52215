#pragma once

#include <QString>
#include <QtGlobal>

// The amount of an order as money: a positive number of roubles with at most two kopeck digits.
// The order keeps the text as typed; this is where the text is read as an amount, counted in
// whole kopecks so that no rounding ever touches it.
namespace OrderAmount {

// 999 999 999 999,99 roubles: the largest amount the form can write out in words.
constexpr qint64 kMaxKopecks = Q_INT64_C(99999999999999);

// Reads "1234.56", "1234,56", "1 234,56" (single blanks or no-break blanks between groups of three
// digits), "1234-56" (roubles and kopecks as on a paper form) or "1234"; blanks around the text
// do not count. False, leaving *kopecks alone, for any other text and for an amount that is not
// above zero or is beyond kMaxKopecks.
bool ParseKopecks(const QString& text, qint64* kopecks);

// What the user is told when a text is not an amount by that rule: the text, and how to write one.
QString WrongAmountMessage(const QString& text);
// The same of an order's amount where it is found, without the advice: "сумма «12,345» не является
// суммой платежа".
QString NotAnAmountMessage(const QString& text);

// "1234.56": roubles, a point and two kopeck digits, as the bank's exchange file wants it.
QString ExchangeText(qint64 kopecks);

// "1234,56": roubles, a comma and two kopeck digits, without blanks between groups, as an amount
// is typed into an order and as any reader of the order files takes it.
QString TypedText(qint64 kopecks);

// "48 300,00": roubles in groups of three figures, a comma and two kopeck figures, as the lists
// and totals show an amount.
QString GroupedText(qint64 kopecks);
// An order's amount as the lists show it: grouped when it is an amount, as it is otherwise.
QString ShownText(const QString& text);

}  // namespace OrderAmount

// Reads the amount text of an order as a number: leading blanks, an optional sign, digits with
// an optional fraction and exponent, up to the first character that cannot continue the number.
// A decimal comma counts like the point, and blanks and no-break spaces between digits are
// skipped. Text that does not begin with a number gives 0; overflow gives an infinity.
double ParseAmount(const QString& text);
