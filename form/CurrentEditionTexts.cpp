#include "form/CurrentEditionTexts.h"

#include <QRegularExpression>

namespace CurrentEditionTexts {

QString PaddedDate(const QString& text) {
    // The order files write dates as "%2d.%2d.%4d", day and month padded with a blank.
    static const QRegularExpression kDate(
        QStringLiteral("^ *([0-9]{1,2})\\. *([0-9]{1,2})\\. *([0-9]{4}) *$"));
    const QRegularExpressionMatch date = kDate.match(text);
    if (!date.hasMatch()) {
        return text;
    }
    return QStringLiteral("%1.%2.%3")
        .arg(date.captured(1).toInt(), 2, 10, QLatin1Char('0'))
        .arg(date.captured(2).toInt(), 2, 10, QLatin1Char('0'))
        .arg(date.captured(3));
}

}  // namespace CurrentEditionTexts
