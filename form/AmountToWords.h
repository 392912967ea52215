#pragma once

#include <QString>

// The line that the form prints as the amount in words: the roubles in Russian words with a
// capital first letter, then "руб.", the kopecks in figures and "коп.".
QString AmountToWords(double amount);

// Reads the amount text of an order as a number: leading blanks, an optional sign, digits with
// an optional fraction and exponent, up to the first character that cannot continue the number.
// A decimal comma counts like the point, and blanks between digits are skipped.
double ParseAmount(const QString& text);
