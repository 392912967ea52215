#pragma once

#include <QString>
#include <QStringList>

// What of a typed text a data file cannot keep in one of its lines: characters outside code page
// 1251 (an emoji tested whole, as the pair of UTF-16 units it is) and line breaks, which would
// split the field across lines of the file.
struct UnstorableText {
    qsizetype first = -1;  // where the first of them stands; -1 when the text can be stored
    qsizetype length = 0;
    QStringList shown;  // each of them once, as a message names them
};

UnstorableText FindUnstorableText(const QString& text);
