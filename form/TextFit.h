#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Fitting a text of the form's monospaced font into a room of so many lines of a given width:
// first by breaking it into more lines, then by narrowing the characters (their height kept)
// down to kNarrowestScale of their width. Everything is counted in characters, since every
// character of the font is equally wide.
class TextFit {
public:
    // How narrow a character may get and still read well on paper.
    static constexpr double kNarrowestScale = 0.6;

    // A line of a broken text: where it starts in the text and how many characters it shows.
    struct Line {
        int start = 0;
        int length = 0;
    };

    struct Result {
        QStringList lines;        // what to draw, one line below the other
        double widthScale = 1.0;  // how much narrower than its own width the font is drawn
        int shownChars = 0;       // the text's first shownChars characters are on the lines
        bool whole = true;        // the lines show all of the text
    };

    // Breaks the text into lines of at most charsPerLine characters, between words where it can
    // and inside a word longer than a line. The blanks where a line breaks are not drawn.
    static QList<Line> Break(const QString& text, int charsPerLine);
    static QStringList BreakLines(const QString& text, int charsPerLine);

    // Fits the text into lineCount lines of width units, for characters charWidth units wide,
    // narrowed at most to narrowest of their width. When even the narrowest characters cannot
    // show it all, the lines show its beginning.
    static Result Fit(const QString& text, int width, int lineCount, int charWidth,
                      double narrowest = kNarrowestScale);
};
