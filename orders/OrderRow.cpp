#include "orders/OrderRow.h"

#include "orders/OrderTexts.h"

int OrderRow::Number() const {
    return OrderTexts::NumberFromText(m_fields[kColumnNumber]);
}

QStringList OrderRow::Lines() const {
    return QStringList(m_fields.begin(), m_fields.end());
}

OrderRow OrderRow::FromLines(const QStringList& lines) {
    OrderRow row;
    const int count = qMin<int>(lines.size(), kOrderColumnCount);
    for (int i = 0; i < count; ++i) {
        row.m_fields[i] = lines.at(i);
    }
    return row;
}
