#include "app/MenuBarStyle.h"

int MenuBarStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == QStyle::SH_DrawMenuBarSeparator) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
