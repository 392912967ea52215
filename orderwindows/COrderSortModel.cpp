#include "orderwindows/COrderSortModel.h"

#include "orderwindows/COrderListModel.h"

COrderSortModel::COrderSortModel(QObject* parent) : QAbstractProxyModel(parent) {}

void COrderSortModel::setSourceModel(QAbstractItemModel* source) {
    auto* orders = qobject_cast<COrderListModel*>(source);
    Q_ASSERT(orders);
    beginResetModel();
    if (m_pSource) {
        disconnect(m_pSource, nullptr, this, nullptr);
    }
    QAbstractProxyModel::setSourceModel(orders);
    m_pSource = orders;
    Resort();
    endResetModel();

    connect(orders, &QAbstractItemModel::modelAboutToBeReset, this,
            &COrderSortModel::beginResetModel);
    connect(orders, &QAbstractItemModel::modelReset, this, [this] {
        Resort();
        endResetModel();
    });
    // Inserted and removed rows move every row after them: the indexes are noted before.
    for (auto signal :
         {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved}) {
        connect(orders, signal, this, &COrderSortModel::BeginChange);
    }
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(orders, signal, this, [this] {
            Resort();
            EndChange();
        });
    }
    connect(orders, &QAbstractItemModel::dataChanged, this, &COrderSortModel::OnSourceDataChanged);
    connect(orders, &QAbstractItemModel::headerDataChanged, this,
            &QAbstractItemModel::headerDataChanged);
}

void COrderSortModel::OnSourceDataChanged(const QModelIndex& topLeft,
                                          const QModelIndex& bottomRight, const QList<int>& roles) {
    if (roles == QList<int>{Qt::DecorationRole}) {  // the icon: no order changed
        if (!m_shown.empty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
        }
        return;
    }
    Q_UNUSED(topLeft);
    Q_UNUSED(bottomRight);
    // A changed order may take another place, or show or hide.
    BeginChange();
    Resort();
    EndChange();
}

void COrderSortModel::SetSearch(const QString& typed) {
    const OrderSearch search(typed);
    if (search == m_search) {
        return;
    }
    const bool narrows = search.Narrows(m_search);
    m_search = search;
    BeginChange();
    Pick(narrows ? std::vector<int>(m_shown) : m_sorted);
    EndChange();
}

void COrderSortModel::SetStateFilter(OrderStates::Filter filter) {
    if (filter == m_stateFilter) {
        return;
    }
    m_stateFilter = filter;
    BeginChange();
    Pick(m_sorted);
    EndChange();
}

void COrderSortModel::sort(int column, Qt::SortOrder order) {
    if (column == m_sortColumn && order == m_sortOrder) {
        return;
    }
    m_sortColumn = column;
    m_sortOrder = order;
    BeginChange();
    Resort();
    EndChange();
}

void COrderSortModel::Resort() {
    m_sorted = m_pSource ? m_pSource->SortedRows(m_sortColumn, m_sortOrder) : std::vector<int>();
    Pick(m_sorted);
}

void COrderSortModel::Pick(const std::vector<int>& candidates) {
    // The orders are looked at in the archive's order, in which their texts follow each other in
    // memory: in the order of a sorted column they would be read from all over it, several times
    // slower. Until they are placed, m_place marks the candidates that the search finds.
    constexpr int kFound = -2;
    m_place.assign(m_sorted.size(), -1);
    for (const int row : candidates) {
        m_place[size_t(row)] = kFound;
    }
    if (!m_search.FindsAll() || m_stateFilter != OrderStates::Filter::All) {
        for (size_t row = 0; row < m_place.size(); ++row) {
            if (m_place[row] == kFound && (!m_pSource->Shows(int(row), m_stateFilter) ||
                                           !m_pSource->Matches(int(row), m_search))) {
                m_place[row] = -1;
            }
        }
    }
    m_shown.clear();
    for (const int row : candidates) {
        if (m_place[size_t(row)] == kFound) {
            m_place[size_t(row)] = int(m_shown.size());
            m_shown.push_back(row);
        }
    }
}

void COrderSortModel::BeginChange() {
    emit layoutAboutToBeChanged();
    m_changingIndexes = persistentIndexList();
    m_changingOrders.clear();
    m_changingOrders.reserve(m_changingIndexes.size());
    for (const QModelIndex& shown : std::as_const(m_changingIndexes)) {
        m_changingOrders.append(mapToSource(shown));
    }
}

void COrderSortModel::EndChange() {
    QModelIndexList moved;
    moved.reserve(m_changingOrders.size());
    for (const QPersistentModelIndex& order : std::as_const(m_changingOrders)) {
        moved.append(mapFromSource(order));
    }
    changePersistentIndexList(m_changingIndexes, moved);
    m_changingIndexes.clear();
    m_changingOrders.clear();
    emit layoutChanged();
}

QModelIndex COrderSortModel::mapToSource(const QModelIndex& proxy) const {
    if (!proxy.isValid() || proxy.model() != this || size_t(proxy.row()) >= m_shown.size()) {
        return QModelIndex();
    }
    return m_pSource->index(m_shown[size_t(proxy.row())], proxy.column());
}

QModelIndex COrderSortModel::mapFromSource(const QModelIndex& source) const {
    if (!source.isValid() || size_t(source.row()) >= m_place.size()) {
        return QModelIndex();
    }
    const int row = m_place[size_t(source.row())];
    return row < 0 ? QModelIndex() : createIndex(row, source.column());
}

QModelIndex COrderSortModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || size_t(row) >= m_shown.size() || column < 0 ||
        column >= columnCount()) {
        return QModelIndex();
    }
    return createIndex(row, column);
}

QModelIndex COrderSortModel::parent(const QModelIndex&) const {
    return QModelIndex();
}

QModelIndex COrderSortModel::sibling(int row, int column, const QModelIndex&) const {
    return index(row, column);
}

int COrderSortModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shown.size());
}

int COrderSortModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_pSource ? 0 : m_pSource->columnCount();
}

bool COrderSortModel::hasChildren(const QModelIndex& parent) const {
    return !parent.isValid() && !m_shown.empty();
}

QVariant COrderSortModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // The columns are the source's own, whether any row is shown or not.
    if (orientation == Qt::Horizontal) {
        return m_pSource ? m_pSource->headerData(section, orientation, role) : QVariant();
    }
    return QAbstractProxyModel::headerData(section, orientation, role);
}
