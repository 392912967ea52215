#include "form/FormFonts.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace {

constexpr double kReferenceDpi = 1200.0;  // fine enough that whole pixels cost under 0.5 %

QFont CourierFont(QFont::Weight weight, int pixelSize) {
    QFont font;
    // fontconfig maps "Courier" to Nimbus Mono PS; Liberation Mono is the next best clone.
    font.setFamilies({QStringLiteral("Courier"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setWeight(weight);
    font.setPixelSize(pixelSize);
    font.setKerning(false);
    return font;
}

}  // namespace

FormFonts::FormFonts(double dpiX, double dpiY)
    : m_dpiX(dpiX),
      m_dpiY(dpiY),
      m_text(Make(QFont::Light, kCellHeight, kTextWidth)),
      m_title(Make(QFont::DemiBold, kCellHeight, kTitleWidth)),
      m_caption(Make(QFont::Light, kCaptionHeight, kCaptionWidth)),
      m_default(Sized{QFont(), 1.0, 1.0}) {}

FormFonts::Sized FormFonts::Make(QFont::Weight weight, int cellHeight, int averageWidth) const {
    const int pixelSize = static_cast<int>(std::lround(cellHeight * kReferenceDpi / kUnitsPerInch));
    Sized sized;
    sized.font = CourierFont(weight, pixelSize);
    // Scale what the font really measures to what the form asks for on this surface.
    const QFontMetricsF metrics(sized.font);
    sized.scaleX = averageWidth * m_dpiX / kUnitsPerInch / metrics.averageCharWidth();
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
    return QFontMetricsF(Font(font)).averageCharWidth() * HorizontalScale(font) * kUnitsPerInch /
           m_dpiX;
}
