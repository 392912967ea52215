#pragma once

#include <QString>

// The line that the form prints as the amount in words: the roubles in Russian words with a
// capital first letter, then "руб.", the kopecks in figures and "коп.". The amount is rounded to
// whole kopecks first; a negative one begins with "Минус"; roubles beyond 999 999 999 999 are
// written in figures, and an infinite or undefined amount says so in words.
QString AmountToWords(double amount);
