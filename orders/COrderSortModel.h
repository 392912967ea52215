#pragma once

#include <QSortFilterProxyModel>
#include <vector>

// The orders as the list shows them: sorted by a column, filtered by the search. Numbers, dates
// and amounts are read from their texts once per sort rather than at every comparison, which
// keeps sorting a hundred thousand orders within a second.
class COrderSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit COrderSortModel(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    // The value of the row's cell in a column that sorts by value.
    double Key(int row, int column) const;
    void ForgetKeys();

    mutable std::vector<double> m_keys;
    mutable std::vector<char> m_known;
    mutable int m_keyColumn = -1;
};
