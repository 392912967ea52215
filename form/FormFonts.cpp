#include "form/FormFonts.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace {

constexpr double kUnitsPerInch = 2540.0;
constexpr int kProbePixelSize = 1000;  // large, so that measured ratios are exact

QFont CourierFont(QFont::Weight weight, int pixelSize) {
    QFont font;
    // fontconfig maps "Courier" to Nimbus Mono PS; Liberation Mono is the next best clone.
    font.setFamilies(
        {QStringLiteral("Courier"), QStringLiteral("Nimbus Mono PS"), QStringLiteral("Liberation Mono")});
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
      m_text(Make(QFont::Light, kTextWidth)),
      m_title(Make(QFont::DemiBold, kTitleWidth)),
      m_default(Sized{QFont(), 1.0}) {}

FormFonts::Sized FormFonts::Make(QFont::Weight weight, int averageWidth) const {
    // The cell height is the font's ascent plus descent; find the pixel size that gives it.
    const double cellPerPixel =
        QFontMetricsF(CourierFont(weight, kProbePixelSize)).height() / kProbePixelSize;
    const double cellPixels = kCellHeight * m_dpiY / kUnitsPerInch;
    const int pixelSize = std::max(1, static_cast<int>(std::lround(cellPixels / cellPerPixel)));

    Sized sized;
    sized.font = CourierFont(weight, pixelSize);
    const double naturalWidth = QFontMetricsF(sized.font).averageCharWidth();
    sized.scale = naturalWidth > 0 ? averageWidth * m_dpiX / kUnitsPerInch / naturalWidth : 1.0;
    return sized;
}

const FormFonts::Sized& FormFonts::Get(FormFont font) const {
    switch (font) {
        case FormFont::Text:
            return m_text;
        case FormFont::Title:
            return m_title;
        case FormFont::Default:
            break;
    }
    return m_default;
}

const QFont& FormFonts::Font(FormFont font) const {
    return Get(font).font;
}

double FormFonts::HorizontalScale(FormFont font) const {
    return Get(font).scale;
}

double FormFonts::CellHeight(FormFont font) const {
    return QFontMetricsF(Font(font)).height() * kUnitsPerInch / m_dpiY;
}

double FormFonts::AverageWidth(FormFont font) const {
    return QFontMetricsF(Font(font)).averageCharWidth() * HorizontalScale(font) * kUnitsPerInch /
           m_dpiX;
}
