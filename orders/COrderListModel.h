#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include "orders/OrderRow.h"

// The orders of the archive as the list shows them: one row per order, in file order, one
// column per field, and the program's icon in front of every row. Numbers are shown without the
// blanks their text keeps, and numbers and amounts stand right-aligned.
class COrderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The value a column sorts by: numbers and amounts as numbers, dates as dates, the rest as
    // the text shown.
    static constexpr int kSortRole = Qt::UserRole + 1;

    explicit COrderListModel(QObject* parent = nullptr);

    // Caption and width in pixels of a column of the list.
    static QString ColumnCaption(int column);
    static int ColumnWidth(int column);

    void SetRowIcon(const QIcon& icon);
    void SetRows(QList<OrderRow> rows);
    const QList<OrderRow>& Rows() const { return m_rows; }
    const OrderRow& RowAt(int row) const { return m_rows.at(row); }
    void SetRow(int row, const OrderRow& values);
    void AppendRow(const OrderRow& values);
    void RemoveRow(int row);
    // Whether a row other than the given one shows the number.
    bool HasOtherRowWithNumber(int number, int exceptRow) const;
    // Removes every row but the kept one that shows the number.
    void RemoveOtherRowsWithNumber(int number, int keptRow);
    // The row whose number takes the most characters once its blanks are left out; -1 for none.
    int LongestNumberRow() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<OrderRow> m_rows;
    QIcon m_rowIcon;
};
