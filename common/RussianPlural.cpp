#include "common/RussianPlural.h"

const QString& RussianPlural(qint64 count, const QString& one, const QString& few,
                             const QString& many) {
    const qint64 last = qAbs(count) % 10;
    const qint64 lastTwo = qAbs(count) % 100;
    if (lastTwo >= 11 && lastTwo <= 14) {
        return many;
    }
    if (last == 1) {
        return one;
    }
    return last >= 2 && last <= 4 ? few : many;
}
