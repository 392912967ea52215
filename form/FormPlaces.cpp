#include "form/FormPlaces.h"

#include <algorithm>

#include "form/CurrentFormPlaces.h"
#include "form/TextFit.h"

namespace {

using Place = FormPlaces::Place;

constexpr int kCentred = DT_CENTER | DT_VCENTER;

Place Make(LogicalRect rect, int format, LogicalRect room, FormFont font = FormFont::Text) {
    return Place{rect, format, room, font};
}

// The rooms keep off the rules and the captions around them, and a millimetre off the column rule
// at their right. Those of centred values are centred
// on their rectangles, so that a value drawn in its room stands where it would in its rectangle.
Place PlaceOfField(FormField field) {
    switch (field) {
        case FormField::Number:  // up to the date
            return Make({6500, -2300, 18700, -4000}, DT_LEFT, {6500, -2300, 8000, -2700},
                        FormFont::Title);
        case FormField::Date:  // between the number and the type, over its caption
            return Make({500, -2350, 18700, -4000}, kCentred, {8000, -2350, 11200, -2750});
        case FormField::PaymentType:  // over its caption
            return Make({12000, -2350, 16000, -4000}, DT_CENTER, {12000, -2350, 16000, -2750});
        case FormField::AmountInWords:  // beside both lines of the caption
            return Make({3300, -3400, 18700, -4000}, DT_LEFT, {3300, -3000, 18700, -3900});
        case FormField::PayerInnKpp:
            return Make({2500, -4000, 10000, -5000}, DT_LEFT, {2500, -4000, 11900, -4500});
        case FormField::Amount:
            return Make({14300, -4000, 18700, -5000}, DT_LEFT, {14300, -4000, 18700, -4500});
        case FormField::PayerAccount1:
            return Make({14300, -4600, 18700, -6000}, DT_LEFT, {14300, -4600, 18700, -5200});
        case FormField::PayerName:
            return Make({3000, -4600, 12000, -6000}, DT_LEFT, {3000, -4600, 11900, -5100});
        case FormField::PayerBik:
            return Make({14300, -5200, 18700, -7000}, DT_LEFT, {14300, -5200, 18700, -5800});
        case FormField::PayerAccount2:
            return Make({14300, -5800, 18700, -7000}, DT_LEFT, {14300, -5800, 18700, -6300});
        case FormField::PayerBank:  // over its caption
            return Make({500, -5200, 12000, -7000}, DT_LEFT, {500, -5200, 11900, -5800});
        case FormField::RecipientBik:
            return Make({14300, -6400, 18700, -9000}, DT_LEFT, {14300, -6400, 18700, -7000});
        case FormField::RecipientAccount1:
            return Make({14300, -7000, 18700, -9000}, DT_LEFT, {14300, -7000, 18700, -7500});
        case FormField::RecipientBank:  // over its caption
            return Make({500, -6400, 12000, -9000}, DT_LEFT, {500, -6400, 11900, -7000});
        case FormField::RecipientAccount2:
            return Make({14300, -7600, 18700, -9000}, DT_LEFT, {14300, -7600, 18700, -8100});
        case FormField::RecipientInnKpp:
            return Make({2500, -7600, 12000, -9000}, DT_LEFT, {2500, -7600, 11900, -8000});
        case FormField::RecipientName:  // under the INN/KPP, over its caption: three lines
            return Make({500, -8300, 12000, -19000}, DT_WORDBREAK, {500, -8000, 11900, -9400});
        case FormField::PaymentKind:
            return Make({14000, -8200, 14500, -9000}, DT_CENTER, {14000, -8200, 14500, -8700});
        case FormField::PaymentTerm:
            return Make({16350, -8200, 18700, -9000}, DT_LEFT, {16350, -8200, 18700, -8800});
        case FormField::Priority:  // two lines down to the rule
            return Make({16350, -8800, 18700, -19000}, DT_LEFT, {16350, -8800, 18700, -9900});
        case FormField::Basis:  // four lines down to the rule
            return Make({500, -10800, 18700, -12000}, DT_WORDBREAK, {500, -10800, 18700, -12500});
        default:  // the current edition's own fields
            break;
    }
    return Place{};
}

// Whether the text, drawn as it stands in its rectangle, shows whole and stays in its room.
bool FitsAsItStands(const Place& place, const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    const int charWidth = FormPlaces::CharWidth(place.font);
    const LogicalRect& rect = place.rect;
    const LogicalRect& room = place.room;
    int lineCount = 1;
    int longest = int(text.size());
    if (place.format & DT_WORDBREAK) {
        const QList<TextFit::Line> lines =
            TextFit::Break(text, (rect.right - rect.left) / charWidth);
        lineCount = int(lines.size());
        longest = 0;
        for (const TextFit::Line& line : lines) {
            longest = std::max(longest, line.length);
        }
    }
    const double width = double(longest) * charWidth;
    double left = rect.left;
    if (place.format & DT_RIGHT) {
        left = rect.right - width;
    } else if ((place.format & DT_CENTER) && !(place.format & DT_WORDBREAK)) {
        left = (rect.left + rect.right - width) / 2.0;
    }
    const int bottom = rect.top - lineCount * FormPlaces::CellHeight(place.font);
    return left >= std::max(rect.left, room.left) &&
           left + width <= std::min(rect.right, room.right) && rect.top <= room.top &&
           bottom >= std::max(rect.bottom, room.bottom);
}

// The text on one line of the room in the narrower face: at its own size when it fits there,
// else as much smaller as it must be, down to the smallest; centred between the room's top and
// bottom, as a value of the place's own font would stand.
FormPlaces::Fitted FitNarrowFace(const Place& place, const QString& text) {
    const LogicalRect& room = place.room;
    const int width = room.right - room.left;
    const int wanted = int(text.size()) * FormPlaces::kNarrowWidth;
    const double scale =
        std::max(std::min(1.0, double(width) / wanted), FormPlaces::kSmallestNarrow);
    FormPlaces::Fitted fitted;
    fitted.asItStands = false;
    fitted.font = FormFont::Narrow;
    fitted.format = place.format & DT_CENTER ? DT_CENTER : DT_LEFT;
    fitted.widthScale = scale;
    fitted.heightScale = scale;
    fitted.shownChars = std::min(int(text.size()), int(width / (FormPlaces::kNarrowWidth * scale)));
    fitted.lines = QStringList{text.left(fitted.shownChars)};
    const int height = int(FormPlaces::kNarrowHeight * scale);
    const int top = room.top - std::max(0, (room.top - room.bottom - height) / 2);
    fitted.rect = LogicalRect{room.left, top, room.right, top - height};
    return fitted;
}

}  // namespace

bool FormPlaces::Prints(FormField field, FormEdition edition) {
    if (edition == FormEdition::Edition2001) {
        return int(field) <= int(FormField::Basis);
    }
    // Field 19 is not filled on a payment order today.
    return field != FormField::PayerInnKpp && field != FormField::RecipientInnKpp &&
           field != FormField::PaymentTerm;
}

FormPlaces::Place FormPlaces::PlaceOf(FormField field, FormPaper paper) {
    return paper.edition == FormEdition::Current
               ? CurrentFormPlaces::PlaceOf(field, CurrentFormGrid::Of(paper))
               : PlaceOfField(field);
}

int FormPlaces::CharWidth(FormFont font) {
    switch (font) {
        case FormFont::Title:
            return kTitleWidth;
        case FormFont::Caption:
            return kCaptionWidth;
        case FormFont::Value:
            return kValueWidth;
        case FormFont::Heading:
            return kHeadingWidth;
        case FormFont::Narrow:
            return kNarrowWidth;
        case FormFont::Default:
        case FormFont::Text:
            break;
    }
    return kTextWidth;
}

int FormPlaces::CellHeight(FormFont font) {
    switch (font) {
        case FormFont::Caption:
            return kCaptionHeight;
        case FormFont::Value:
            return kValueHeight;
        case FormFont::Heading:
            return kHeadingHeight;
        case FormFont::Narrow:
            return kNarrowHeight;
        case FormFont::Default:
        case FormFont::Text:
        case FormFont::Title:
            break;
    }
    return kCellHeight;
}

FormPlaces::Fitted FormPlaces::Fit(FormField field, const QString& text, FormPaper paper) {
    const Place place = PlaceOf(field, paper);
    Fitted fitted;
    fitted.font = place.font;
    fitted.shownChars = int(text.size());
    if (FitsAsItStands(place, text)) {
        fitted.rect = place.rect;
        fitted.format = place.format;
        return fitted;
    }
    if (place.narrowFace) {
        return FitNarrowFace(place, text);
    }
    const LogicalRect& room = place.room;
    const int cellHeight = CellHeight(place.font);
    const TextFit::Result result =
        TextFit::Fit(text, room.right - room.left, (room.top - room.bottom) / cellHeight,
                     CharWidth(place.font), place.narrowest);
    const int height = int(result.lines.size()) * cellHeight;
    // Lines that fit below the rectangle's top stay there; more start at the top of the room.
    const bool fromRectTop = place.rect.top <= room.top && place.rect.top - height >= room.bottom;
    const int top = fromRectTop ? place.rect.top : room.top;
    fitted.asItStands = false;
    fitted.rect = LogicalRect{room.left, top, room.right, top - height};
    fitted.format =
        (place.format & DT_CENTER) && !(place.format & DT_WORDBREAK) ? DT_CENTER : DT_LEFT;
    fitted.lines = result.lines;
    fitted.widthScale = result.widthScale;
    fitted.shownChars = result.shownChars;
    return fitted;
}

int FormPlaces::ShownChars(FormField field, const QString& text, FormEdition edition) {
    return Prints(field, edition) ? Fit(field, text, edition).shownChars : int(text.size());
}
