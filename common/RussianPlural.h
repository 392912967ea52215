#pragma once

#include <QString>
#include <QtGlobal>

// The form of a Russian word that goes with a count: the first for 1, 21, 101 ("день"), the
// second for 2 to 4, 22 to 24 ("дня"), the third for the rest, 11 to 14 among them ("дней").
const QString& RussianPlural(qint64 count, const QString& one, const QString& few,
                             const QString& many);
