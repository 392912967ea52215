#pragma once

#include <QString>
#include <QStringList>

// Logical units are 0.01 mm: this many make an inch, whatever the surface.
constexpr double kUnitsPerInch = 2540.0;

// A rectangle of the form in logical units of 0.01 mm with y growing upward, so top > bottom.
struct LogicalRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The fonts of the form. Default is whatever the surface had before the form chose one. The
// edition of 2001 writes in Text and Title; the current edition its captions in the smaller
// Caption (8 pt), and at its full size its values in Value (10 pt) and its title in Heading
// (12 pt, bold). Narrow is a narrower face (10 pt) for a value that needs it, drawn smaller still
// where it must: its digits are all as wide, its letters are not.
enum class FormFont { Default, Text, Title, Caption, Value, Heading, Narrow };

// The colour of the texts: values in black, and the placeholder captions that the screen shows
// where no value stands yet in grey, so that they read as placeholders.
enum class FormInk { Black, Placeholder };

// How a text sits in its rectangle; every text is clipped to its rectangle.
enum TextFormat {
    DT_LEFT = 0,        // first line at the top edge, from the left edge
    DT_CENTER = 1,      // centred between the left and right edges
    DT_RIGHT = 2,       // ending at the right edge
    DT_VCENTER = 4,     // no effect on multi-line texts: such texts start at the top edge too
    DT_WORDBREAK = 16,  // left-aligned, broken between words into lines of the rectangle's width
};

// The surface the form is drawn on, in logical units. The screen and the printer draw through
// QPainter; tests record the steps.
class FormCanvas {
public:
    virtual ~FormCanvas() = default;

    // Makes the font current and returns the one that was current before.
    virtual FormFont SelectFont(FormFont font) = 0;
    // Draws the text exactly as it stands, in the ink in force, on an opaque white background.
    virtual void DrawText(const QString& text, const LogicalRect& rect, int format) = 0;
    // Draws each line as it stands, the first at the rectangle's top edge and each further one a
    // cell lower, from the left edge or centred (DT_LEFT or DT_CENTER), never broken further;
    // the characters are narrowed to widthScale of their width and lowered to heightScale of
    // their height, the cells with them. Clipped to the rectangle, over what lies beneath (the
    // lines are placed where nothing is).
    virtual void DrawLines(const QStringList& lines, const LogicalRect& rect, int format,
                           double widthScale, double heightScale) = 0;
    // The colour of the texts drawn from now on.
    virtual void SetInk(FormInk ink) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // A box outlined with the thin black pen and filled white.
    virtual void Rectangle(const LogicalRect& rect) = 0;
};
