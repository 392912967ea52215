#include "orders/OrderRow.h"

#include <algorithm>

#include "orders/OrderTexts.h"

namespace {

const QString kNoField;

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
