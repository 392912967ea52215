#pragma once

#include <QString>
#include <QStringList>

#include "form/FormCanvas.h"
#include "form/FormEdition.h"
#include "form/FormField.h"
#include "form/TextFit.h"

// Where each value stands on one copy of the form (y relative to the copy's offset), and how a
// value that does not fit there is drawn instead. A value has a rectangle, in which it is drawn
// as it stands when it fits, and a room: the cell between the rules and beside the captions that
// it may take without touching anything else. The rectangles reach past their rooms in many
// places, and only the room counts. Each edition of the form has its own places, and the current
// edition other ones again when a sheet carries two copies of it.
class FormPlaces {
public:
    // The cell height and character widths of the form's fonts, in 0.01 mm.
    static constexpr int kCellHeight = 396;
    static constexpr int kTextWidth = 198;
    static constexpr int kTitleWidth = 231;
    // The current edition's captions: the same face, smaller (8 pt).
    static constexpr int kCaptionHeight = 340;
    static constexpr int kCaptionWidth = 170;
    // The current edition at its full size: values of 10 pt and the title of 12 pt, bold.
    static constexpr int kValueHeight = 430;
    static constexpr int kValueWidth = 212;
    static constexpr int kHeadingHeight = 592;
    static constexpr int kHeadingWidth = 254;
    // The narrower face at 10 pt: the width is that of its digits.
    static constexpr int kNarrowHeight = 479;
    static constexpr int kNarrowWidth = 161;
    // The smallest the narrower face gets, as a share of its own size: 25 digits in 19 mm.
    static constexpr double kSmallestNarrow = 0.45;

    struct Place {
        LogicalRect rect;  // where the value is drawn when it fits
        int format = DT_LEFT;
        LogicalRect room;  // what it may take when it does not
        FormFont font = FormFont::Text;
        double narrowest = TextFit::kNarrowestScale;  // how narrow its characters may get
        // Whether a value too long for its room is drawn on one line in the narrower face,
        // smaller where it must be, rather than in narrowed characters of its own font.
        bool narrowFace = false;
    };

    // How a value is drawn: as it stands in its rectangle, or as lines of its room.
    struct Fitted {
        bool asItStands = true;
        LogicalRect rect;                // the rectangle of the text, or the block of its lines
        int format = DT_LEFT;            // with lines: DT_LEFT or DT_CENTER
        FormFont font = FormFont::Text;  // the font it is drawn in
        QStringList lines;         // when not as it stands, from the top of rect, a cell apart
        double widthScale = 1.0;   // how much narrower than the font's own width
        double heightScale = 1.0;  // how much lower than the font's own height
        int shownChars = 0;        // the value's first shownChars characters are drawn
    };

    // Whether the edition prints the field at all.
    static bool Prints(FormField field, FormEdition edition);
    static Place PlaceOf(FormField field, FormPaper paper = FormEdition::Edition2001);
    static int CharWidth(FormFont font);
    static int CellHeight(FormFont font);

    // How the text is drawn in the field's place.
    static Fitted Fit(FormField field, const QString& text,
                      FormPaper paper = FormEdition::Edition2001);
    // How many of the text's first characters the form shows in that field: all of them unless
    // even the narrowest characters leave some out, or the edition does not print the field. The
    // current edition counts at its full size.
    static int ShownChars(FormField field, const QString& text,
                          FormEdition edition = FormEdition::Edition2001);
};
