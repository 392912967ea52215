#include "orders/OrderRow.h"

#include <algorithm>

#include "orders/OrderTexts.h"

namespace {

const QString kNoField;
const QStringList kNoLines;

}  // namespace

OrderRow::Tail& OrderRow::OwnTail() {
    if (!m_tail) {
        m_tail = std::make_shared<Tail>();
    } else if (m_tail.use_count() > 1) {
        m_tail = std::make_shared<Tail>(*m_tail);
    }
    return *m_tail;
}

QString& OrderRow::operator[](int column) {
    if (column < kOrderColumnCount) {
        return m_fields[column];
    }
    return OwnTail().budget[column - kOrderColumnCount];
}

const QString& OrderRow::operator[](int column) const {
    if (column < kOrderColumnCount) {
        return m_fields[column];
    }
    return m_tail ? m_tail->budget[column - kOrderColumnCount] : kNoField;
}

bool OrderRow::operator==(const OrderRow& other) const {
    if (m_fields != other.m_fields || LinesAfterFields() != other.LinesAfterFields()) {
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
    return m_tail && std::any_of(m_tail->budget.begin(), m_tail->budget.end(),
                                 [](const QString& field) { return !field.isEmpty(); });
}

const QStringList& OrderRow::LinesAfterFields() const {
    return m_tail ? m_tail->after : kNoLines;
}

void OrderRow::SetLinesAfterFields(const QStringList& lines) {
    if (!lines.isEmpty() || m_tail) {
        OwnTail().after = lines;
    }
}

QStringList OrderRow::Lines() const {
    QStringList lines(m_fields.begin(), m_fields.end());
    // The lines after the fields keep their places only after every field.
    if (HasBudgetFields() || !LinesAfterFields().isEmpty()) {
        lines.append(QStringList(m_tail->budget.begin(), m_tail->budget.end()));
        lines.append(m_tail->after);
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
    row.SetLinesAfterFields(lines.mid(kOrderFieldCount));
    return row;
}
