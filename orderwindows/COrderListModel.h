#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>
#include <vector>

#include "bank/OrderStates.h"
#include "orders/OrderRow.h"
#include "orderwindows/PackedOrders.h"

class OrderSearch;

// The orders of the archive as the list shows them: one row per order, in file order, one
// column per field, then the order's state, and the program's icon in front of every row. Each
// row also knows the order file it stands for, whatever number it shows. Numbers are shown
// without the blanks their text keeps, and numbers and amounts stand right-aligned. An order
// overdue at the bank stands out in its state's cell.
class COrderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit COrderListModel(QObject* parent = nullptr);

    // The column of the orders' states ("исполнено 09.12"), after the fields.
    static constexpr int kStateColumn = kOrderColumnCount;
    static constexpr int kColumnCount = kOrderColumnCount + 1;

    // Caption and width in pixels of a column of the list.
    static QString ColumnCaption(int column);
    static int ColumnWidth(int column);

    void SetRowIcon(const QIcon& icon);
    // The rows and, one for each, the name of the order file it was read from. Their states are
    // those of orders not sent until SetStates.
    void SetRows(QList<OrderRow> rows, QStringList files);
    // The state of each row, in row order.
    void SetStates(const QList<OrderStates::State>& states);
    void SetState(int row, const OrderStates::State& state);
    const QList<OrderStates::State>& States() const { return m_states; }
    bool Shows(int row, OrderStates::Filter filter) const {
        return OrderStates::Shows(filter, m_states[row]);
    }
    // Every row, made anew.
    QList<OrderRow> Rows() const;
    OrderRow RowAt(int row) const { return m_orders.Row(row); }
    QString FileOf(int row) const { return m_orders.File(row); }
    // The amount of the row in kopecks; false when its text is not an amount.
    bool KopecksOf(int row, qint64* kopecks) const { return m_orders.Kopecks(row, kopecks); }
    bool Matches(int row, const OrderSearch& search) const { return m_orders.Matches(row, search); }
    // The rows in the order of a column, as PackedOrders sorts them; file order for column -1.
    std::vector<int> SortedRows(int column, Qt::SortOrder order) const;
    void SetRow(int row, const OrderRow& values, const QString& file);
    // A row appended stands for an order not sent until SetState.
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
    QVariant StateData(int row, int role) const;
    std::vector<int> SortedByState(Qt::SortOrder order) const;

    PackedOrders m_orders;
    QList<OrderStates::State> m_states;  // one per row
    QIcon m_rowIcon;
};
