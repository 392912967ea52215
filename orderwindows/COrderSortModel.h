#pragma once

#include <QAbstractProxyModel>
#include <QList>
#include <QPersistentModelIndex>
#include <vector>

#include "bank/OrderStates.h"
#include "orderwindows/OrderSearch.h"

class COrderListModel;

// The orders as the list shows them: sorted by a column and kept to those the search finds, and
// to those of the state chosen.
// The order of a column is worked out when the user sorts by it or the orders change, never for
// a new search: a search only picks from the sorted orders, and one that narrows the last picks
// from those it found. Every change reaches the view as one change of layout, so that what the
// user selected stays selected while it is shown.
class COrderSortModel : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit COrderSortModel(QObject* parent = nullptr);

    // The source is the list model of the orders; no other model can be sorted so.
    void setSourceModel(QAbstractItemModel* source) override;
    // Shows only the orders the typed text finds (OrderSearch).
    void SetSearch(const QString& typed);
    // Shows only the orders of the state chosen.
    void SetStateFilter(OrderStates::Filter filter);
    OrderStates::Filter StateFilter() const { return m_stateFilter; }

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int SortColumn() const { return m_sortColumn; }

    QModelIndex mapToSource(const QModelIndex& proxy) const override;
    QModelIndex mapFromSource(const QModelIndex& source) const override;
    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Tells the views that the rows are about to move, noting which order each index they keep
    // stands for.
    void BeginChange();
    // Moves the views' indexes to where their orders now stand, or drops those no longer shown.
    void EndChange();
    // Sorts anew and picks the shown orders, between BeginChange and EndChange.
    void Resort();
    // Picks the shown orders from the candidates, in their order.
    void Pick(const std::vector<int>& candidates);
    void OnSourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles);

    COrderListModel* m_pSource = nullptr;
    std::vector<int> m_sorted;  // every source row, in the order of the sort column
    std::vector<int> m_shown;   // the source rows the search finds, in that order
    std::vector<int> m_place;   // the shown row of each source row, -1 for one not shown
    OrderSearch m_search;
    OrderStates::Filter m_stateFilter = OrderStates::Filter::All;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;

    QModelIndexList m_changingIndexes;
    QList<QPersistentModelIndex> m_changingOrders;
};
