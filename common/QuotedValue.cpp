#include "common/QuotedValue.h"

QString QuotedValue(QStringView value) {
    if (value.size() <= kMostQuotedChars) {
        return QStringLiteral("«%1»").arg(value);
    }
    qsizetype cut = kMostQuotedChars;
    if (value.at(cut - 1).isHighSurrogate()) {
        --cut;  // never half of a character
    }
    return QStringLiteral("«%1…»").arg(value.left(cut));
}
