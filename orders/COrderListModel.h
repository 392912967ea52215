#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>

#include "orders/OrderRow.h"

// The orders of the archive as the list shows them: one row per order, in file order, one
// column per field, and the program's icon in front of every row. Each row also knows the order
// file it stands for, whatever number it shows. Numbers are shown without the blanks their text
// keeps, and numbers and amounts stand right-aligned.
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
    // The rows and, one for each, the name of the order file it was read from.
    void SetRows(QList<OrderRow> rows, QStringList files);
    const QList<OrderRow>& Rows() const { return m_rows; }
    const OrderRow& RowAt(int row) const { return m_rows.at(row); }
    const QString& FileOf(int row) const { return m_files.at(row); }
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
    QList<OrderRow> m_rows;
    QStringList m_files;
    QIcon m_rowIcon;
};
