#pragma once

#include <QString>
#include <QtGlobal>

// The line that the form of 2001 prints as the amount in words: the roubles in Russian words with
// a capital first letter, then "руб.", the kopecks in figures and "коп.". The amount is rounded to
// whole kopecks first; a negative one begins with "Минус"; roubles beyond 999 999 999 999 are
// written in figures, and an infinite or undefined amount says so in words.
QString AmountToWords(double amount);

// The amount in words as the current edition prints it, from a count of kopecks: the roubles in
// words with a capital, "рубль" in the form the number asks for, the kopecks in two figures and
// "копейка" in its form: "Одна тысяча двести тридцать четыре рубля 05 копеек".
QString AmountToFullWords(qint64 kopecks);
// The amount in figures as the current edition prints it: roubles, a dash and two kopeck figures,
// with no grouping: "1234-05".
QString AmountToFigures(qint64 kopecks);
