#pragma once

#include <QString>
#include <QStringView>

// A value quoted in a message, in guillemets: «ООО Ромашка». A value longer than a few dozen
// characters is cut after them and ends in "…", so that a message quoting a field, or a line of
// a file, is as small for a value of a megabyte as for one of ten characters.
QString QuotedValue(QStringView value);

// How many characters of a value a message quotes at most.
constexpr qsizetype kMostQuotedChars = 60;
