#include "form/TextFit.h"

#include <algorithm>

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ');
}

int SkipBlanks(const QString& text, int pos) {
    while (pos < text.size() && IsBlank(text.at(pos))) {
        ++pos;
    }
    return pos;
}

// The last break between words within the next charsPerLine characters from start (a blank
// right after them counts), or -1 when there is none.
int LastBreak(const QString& text, int start, int charsPerLine) {
    for (int i = start + charsPerLine; i > start; --i) {
        if (IsBlank(text.at(i))) {
            return i;
        }
    }
    return -1;
}

int LongestLine(const QList<TextFit::Line>& lines) {
    int longest = 0;
    for (const TextFit::Line& line : lines) {
        longest = std::max(longest, line.length);
    }
    return longest;
}

}  // namespace

QList<TextFit::Line> TextFit::Break(const QString& text, int charsPerLine) {
    QList<Line> lines;
    const int size = int(text.size());
    charsPerLine = std::max(charsPerLine, 1);
    int start = 0;
    while (start < size) {
        if (size - start <= charsPerLine) {
            lines.append(Line{start, size - start});
            break;
        }
        const int gap = LastBreak(text, start, charsPerLine);
        int end = gap < 0 ? start + charsPerLine : gap;
        int next = gap < 0 ? end : SkipBlanks(text, gap);
        while (end > start && IsBlank(text.at(end - 1))) {
            --end;  // a run of blanks before the break
        }
        lines.append(Line{start, end - start});
        start = next;
    }
    return lines;
}

QStringList TextFit::BreakLines(const QString& text, int charsPerLine) {
    QStringList lines;
    for (const Line& line : Break(text, charsPerLine)) {
        lines.append(text.mid(line.start, line.length));
    }
    return lines;
}

TextFit::Result TextFit::Fit(const QString& text, int width, int lineCount, int charWidth,
                             double narrowest) {
    lineCount = std::max(lineCount, 1);
    const int fullWidthChars = std::max(width / charWidth, 1);
    const int narrowestChars = std::max(int(width / (charWidth * narrowest)), 1);

    // The fewest characters per line that let the text take no more lines than there are: the
    // widest characters that do.
    QList<Line> lines;
    for (int chars = fullWidthChars; chars <= narrowestChars; ++chars) {
        lines = Break(text, chars);
        if (lines.size() <= lineCount) {
            break;
        }
    }

    Result result;
    result.whole = lines.size() <= lineCount;
    if (!result.whole) {
        lines = lines.mid(0, lineCount);
        result.shownChars = lines.last().start + lines.last().length;
    } else {
        result.shownChars = int(text.size());
    }
    for (const Line& line : lines) {
        result.lines.append(text.mid(line.start, line.length));
    }
    const int longest = LongestLine(lines);
    if (longest * charWidth > width) {
        result.widthScale = double(width) / (double(longest) * charWidth);
    }
    return result;
}
