#pragma once

#include <QString>
#include <QStringList>

// What of a typed text a data file cannot keep in one of its lines: characters outside code page
// 1251 (an emoji tested whole, as the pair of UTF-16 units it is), line breaks, which would
// split the field across lines of the file, and every other control character but TAB (NUL,
// Ctrl+Z, VT, FF, ...), which some readers of the bank's file take for the end of a line or of
// the file. The second row of control characters, U+0080 to U+009F, counts among them: byte 0x98,
// which code page 1251 leaves without a letter, reads as U+0098, and readers of the bank's file
// refuse the whole file on it.
struct UnstorableText {
    qsizetype first = -1;  // where the first of them stands; -1 when the text can be stored
    qsizetype length = 0;
    QStringList shown;  // each of them once, as a message names them

    // The shown ones in a row, for a message: "^K (код 11), перевод строки".
    QString Names() const { return shown.join(QStringLiteral(", ")); }
};

UnstorableText FindUnstorableText(const QString& text);

// Whether the character is a control character a field may not hold: below the blank but TAB,
// and U+0080 to U+009F.
bool IsUnstorableControl(QChar c);

// The text with every control character but TAB and LF shown as "^" and a character ("^@" for
// NUL, "^K" for VT), and one of the second row as "M-" before that ("M-^X" for U+0098), as
// terminals show them: a message quoting a value that holds one is then neither cut at a NUL nor
// overwritten by a CR, and every font can show it.
QString WithVisibleControls(const QString& text);

// How a message names a control character: as it is shown, and its code, "^K (код 11)",
// "M-^X (код 152)" (the code is also the byte of the data file).
QString ControlName(QChar c);
