#include "orders/COrderSortModel.h"

#include <QDate>

#include "orders/COrderListModel.h"

namespace {

bool SortsByValue(int column) {
    return column == kColumnNumber || column == kColumnDate || column == kColumnAmount;
}

double ValueOf(const QVariant& value) {
    if (value.userType() == QMetaType::QDate) {
        const QDate date = value.toDate();
        return date.isValid() ? double(date.toJulianDay()) : -1e300;  // no date sorts first
    }
    return value.toDouble();
}

}  // namespace

COrderSortModel::COrderSortModel(QObject* parent) : QSortFilterProxyModel(parent) {}

void COrderSortModel::setSourceModel(QAbstractItemModel* source) {
    // Connected before the base class connects its own handlers, so that the keys are forgotten
    // before a changed or inserted row is placed by them.
    for (auto signal :
         {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved}) {
        connect(source, signal, this, &COrderSortModel::ForgetKeys);
    }
    connect(source, &QAbstractItemModel::dataChanged, this, &COrderSortModel::ForgetKeys);
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, &COrderSortModel::ForgetKeys);
    connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
            &COrderSortModel::ForgetKeys);
    QSortFilterProxyModel::setSourceModel(source);
}

bool COrderSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int column = left.column();
    if (!SortsByValue(column)) {
        return QSortFilterProxyModel::lessThan(left, right);
    }
    return Key(left.row(), column) < Key(right.row(), column);
}

double COrderSortModel::Key(int row, int column) const {
    const size_t rows = size_t(sourceModel()->rowCount());
    if (m_keyColumn != column || m_keys.size() != rows) {
        m_keys.assign(rows, 0.0);
        m_known.assign(rows, 0);
        m_keyColumn = column;
    }
    if (!m_known[size_t(row)]) {
        m_keys[size_t(row)] = ValueOf(sourceModel()->index(row, column).data(sortRole()));
        m_known[size_t(row)] = 1;
    }
    return m_keys[size_t(row)];
}

void COrderSortModel::ForgetKeys() {
    m_keys.clear();
    m_known.clear();
    m_keyColumn = -1;
}
