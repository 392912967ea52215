#include "form/AmountToWords.h"

// Scaffolding until the words are written out.
QString AmountToWords(double) {
    return QString();
}

double ParseAmount(const QString&) {
    return 0.0;
}
