#include "orders/OrderRow.h"

#include <algorithm>

#include "orders/OrderTexts.h"

namespace {

const QString kNoField;

// The names of the fields as the archive's column headers and the messages give them.
const char16_t* const kCaptions[kOrderFieldCount] = {
    u"№",
    u"Дата",
    u"Плательщик",
    u"Получатель",
    u"Сумма",
    u"Основание",
    u"Вид оплаты",
    u"Срок платежа",
    u"Очередность платежа",
    u"Вид платежа",
    u"Статус (101)",
    u"КБК (104)",
    u"ОКТМО (105)",
    u"Основание платежа (106)",
    u"Налоговый период (107)",
    u"Номер документа (108)",
    u"Дата документа (109)",
    u"Тип платежа (110)",
    u"Код (УИН)",
    u"Наз. пл. (20)",
};

}  // namespace

QString& OrderRow::operator[](int column) {
    if (column < kOrderColumnCount) {
        return m_fields[column];
    }
    if (!m_budget) {
        m_budget = std::make_shared<BudgetFields>();
    } else if (m_budget.use_count() > 1) {
        m_budget = std::make_shared<BudgetFields>(*m_budget);
    }
    return (*m_budget)[column - kOrderColumnCount];
}

const QString& OrderRow::operator[](int column) const {
    if (column < kOrderColumnCount) {
        return m_fields[column];
    }
    return m_budget ? (*m_budget)[column - kOrderColumnCount] : kNoField;
}

bool OrderRow::operator==(const OrderRow& other) const {
    if (m_fields != other.m_fields) {
        return false;
    }
    for (int column = kOrderColumnCount; column < kOrderFieldCount; ++column) {
        if ((*this)[column] != other[column]) {
            return false;
        }
    }
    return true;
}

int OrderRow::Number() const {
    return OrderTexts::NumberFromText(m_fields[kColumnNumber]);
}

bool OrderRow::HasBudgetFields() const {
    return m_budget && std::any_of(m_budget->begin(), m_budget->end(),
                                   [](const QString& field) { return !field.isEmpty(); });
}

QStringList OrderRow::Lines() const {
    QStringList lines(m_fields.begin(), m_fields.end());
    if (HasBudgetFields()) {
        lines.append(QStringList(m_budget->begin(), m_budget->end()));
    }
    return lines;
}

OrderRow OrderRow::FromLines(const QStringList& lines) {
    OrderRow row;
    const int count = qMin<int>(lines.size(), kOrderFieldCount);
    for (int i = 0; i < count; ++i) {
        if (i < kOrderColumnCount || !lines.at(i).isEmpty()) {
            row[i] = lines.at(i);
        }
    }
    return row;
}

QString OrderRow::ColumnCaption(int column) {
    return QString::fromUtf16(kCaptions[column]);
}
