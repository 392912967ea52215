#include "form/FormFonts.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace {

constexpr double kReferenceDpi = 1200.0;  // fine enough that whole pixels cost under 0.5 %

QFont CourierFont(QFont::Weight weight) {
    QFont font;
    // fontconfig maps "Courier" to Nimbus Mono PS; Liberation Mono is the next best clone.
    font.setFamilies({QStringLiteral("Courier"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setWeight(weight);
    return font;
}

// A narrow sans-serif face whose digits are all as wide, as Helvetica Narrow's clones have them.
QFont NarrowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Nimbus Sans Narrow"),
                      QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

FormFonts::FormFonts(double dpiX, double dpiY)
    : m_dpiX(dpiX),
      m_dpiY(dpiY),
      m_text(Make(CourierFont(QFont::Light), kCellHeight, kTextWidth)),
      m_title(Make(CourierFont(QFont::DemiBold), kCellHeight, kTitleWidth)),
      m_caption(Make(CourierFont(QFont::Light), kCaptionHeight, kCaptionWidth)),
      m_value(Make(CourierFont(QFont::Light), kValueHeight, kValueWidth)),
      m_heading(Make(CourierFont(QFont::Bold), kHeadingHeight, kHeadingWidth)),
      m_narrow(Make(NarrowFont(), kNarrowHeight, kNarrowWidth)),
      m_default(Sized{QFont(), 1.0, 1.0}) {}

FormFonts::Sized FormFonts::Make(const QFont& face, int cellHeight, int averageWidth) const {
    Sized sized;
    sized.font = face;
    sized.font.setPixelSize(
        static_cast<int>(std::lround(cellHeight * kReferenceDpi / kUnitsPerInch)));
    sized.font.setKerning(false);
    // Scale what the font really measures to what the form asks for on this surface: a digit's
    // width, which in a monospaced face is every character's.
    const QFontMetricsF metrics(sized.font);
    sized.scaleX =
        averageWidth * m_dpiX / kUnitsPerInch / metrics.horizontalAdvance(QLatin1Char('0'));
    sized.scaleY = cellHeight * m_dpiY / kUnitsPerInch / metrics.height();
    return sized;
}

const FormFonts::Sized& FormFonts::Get(FormFont font) const {
    switch (font) {
        case FormFont::Text:
            return m_text;
        case FormFont::Title:
            return m_title;
        case FormFont::Caption:
            return m_caption;
        case FormFont::Value:
            return m_value;
        case FormFont::Heading:
            return m_heading;
        case FormFont::Narrow:
            return m_narrow;
        case FormFont::Default:
            break;
    }
    return m_default;
}

const QFont& FormFonts::Font(FormFont font) const {
    return Get(font).font;
}

double FormFonts::HorizontalScale(FormFont font) const {
    return Get(font).scaleX;
}

double FormFonts::VerticalScale(FormFont font) const {
    return Get(font).scaleY;
}

double FormFonts::CellHeight(FormFont font) const {
    return QFontMetricsF(Font(font)).height() * VerticalScale(font) * kUnitsPerInch / m_dpiY;
}

double FormFonts::AverageWidth(FormFont font) const {
    return QFontMetricsF(Font(font)).horizontalAdvance(QLatin1Char('0')) * HorizontalScale(font) *
           kUnitsPerInch / m_dpiX;
}
