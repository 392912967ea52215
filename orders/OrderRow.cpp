#include "orders/OrderRow.h"

#include "orders/OrderTexts.h"

namespace {

const char16_t* const kCaptions[kOrderColumnCount] = {
    u"№",         u"Дата",       u"Плательщик",   u"Получатель",          u"Сумма",
    u"Основание", u"Вид оплаты", u"Срок платежа", u"Очередность платежа", u"Вид платежа",
};

}  // namespace

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

QString OrderRow::ColumnCaption(int column) {
    return QString::fromUtf16(kCaptions[column]);
}
