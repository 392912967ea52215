#pragma once

#include <QString>

// Reads the amount text of an order as a number: leading blanks, an optional sign, digits with
// an optional fraction and exponent, up to the first character that cannot continue the number.
// A decimal comma counts like the point, and blanks and no-break spaces between digits are
// skipped. Text that does not begin with a number gives 0; overflow gives an infinity.
double ParseAmount(const QString& text);
