#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <vector>

#include "orders/OrderRow.h"
#include "orderwindows/PackedOrders.h"

class OrderSearch;

// The orders of the archive as the list shows them: one row per order, in file order, one
// column per field, and the program's icon in front of every row. Each row also knows the order
// file it stands for, whatever number it shows. Numbers are shown without the blanks their text
// keeps, and numbers and amounts stand right-aligned.
class COrderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit COrderListModel(QObject* parent = nullptr);

    // Caption and width in pixels of a column of the list.
    static QString ColumnCaption(int column);
    static int ColumnWidth(int column);

    void SetRowIcon(const QIcon& icon);
    // The rows and, one for each, the name of the order file it was read from.
    void SetRows(QList<OrderRow> rows, QStringList files);
    // Every row, made anew.
    QList<OrderRow> Rows() const;
    OrderRow RowAt(int row) const { return m_orders.Row(row); }
    QString FileOf(int row) const { return m_orders.File(row); }
    // The amount of the row in kopecks; false when its text is not an amount.
    bool KopecksOf(int row, qint64* kopecks) const { return m_orders.Kopecks(row, kopecks); }
    bool Matches(int row, const OrderSearch& search) const { return m_orders.Matches(row, search); }
    // The rows in the order of a column, as PackedOrders sorts them; file order for column -1.
    std::vector<int> SortedRows(int column, Qt::SortOrder order) const {
        return m_orders.Sorted(column, order);
    }
    void SetRow(int row, const OrderRow& values, const QString& file);
    void AppendRow(const OrderRow& values, const QString& file);
    void RemoveRow(int row);
    // Whether a row other than the given one stands for the file.
    bool HasOtherRowOfFile(const QString& file, int exceptRow) const;
    // Removes every row but the kept one that stands for the file.
    void RemoveOtherRowsOfFile(const QString& file, int keptRow);
    // The row whose number takes the most characters once its blanks are left out; -1 for none.
    int LongestNumberRow() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    PackedOrders m_orders;
    QIcon m_rowIcon;
};
