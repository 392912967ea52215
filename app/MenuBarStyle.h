#pragma once

#include <QProxyStyle>

// Lets a separator in the menu bar push the menus after it to the right-hand end, where the
// help menu of a desktop program stands.
class MenuBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
