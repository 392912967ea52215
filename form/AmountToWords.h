#pragma once

#include <QString>

// The line that the form prints as the amount in words: the roubles in Russian words with a
// capital first letter, then "руб.", the kopecks in figures and "коп.". The amount is rounded to
// whole kopecks first; a negative one begins with "Минус"; roubles beyond 999 999 999 999 are
// written in figures, and an infinite or undefined amount says so in words.
QString AmountToWords(double amount);

// Reads the amount text of an order as a number: leading blanks, an optional sign, digits with
// an optional fraction and exponent, up to the first character that cannot continue the number.
// A decimal comma counts like the point, and blanks and no-break spaces between digits are
// skipped. Text that does not begin with a number gives 0; overflow gives an infinity.
double ParseAmount(const QString& text);
