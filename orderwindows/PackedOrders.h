#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <vector>

#include "orders/OrderRow.h"

class OrderSearch;

// The orders of an open archive, each packed in one block of memory: its folded search text
// (OrderSearch::RowText), the name of the file it was read from and every one of its fields, in
// code page 1251 (the files' own, one byte a character) or, for a text that the code page lacks, in
// UTF-8. A hundred thousand orders so take about a third of the memory their rows would, and a
// search reads each order's text in one piece.
class PackedOrders {
public:
    qsizetype Size() const { return qsizetype(m_orders.size()); }

    // The rows and, one for each, the file it stands for. The rows are released while they are
    // packed, so the memory of both is never needed at once.
    void Assign(QList<OrderRow> rows, QStringList files);
    void Set(qsizetype index, const OrderRow& row, const QString& file);
    void Append(const OrderRow& row, const QString& file);
    void Remove(qsizetype index);

    OrderRow Row(qsizetype index) const;
    QString Field(qsizetype index, int column) const;
    QString File(qsizetype index) const;
    // The amount in kopecks as OrderAmount reads it; false when the text is not an amount.
    bool Kopecks(qsizetype index, qint64* kopecks) const;
    bool Matches(qsizetype index, const OrderSearch& search) const;

    // The indexes of the orders sorted by a column: numbers and amounts as numbers, dates as
    // dates (those that are none first), the rest as text in the order of the user's language,
    // letter case left out and ё as е. Orders that sort alike keep their order, whichever the
    // direction.
    std::vector<int> Sorted(int column, Qt::SortOrder order) const;

private:
    struct Packed {
        QByteArray bytes;
        quint32 searchSize = 0;      // the search text comes first
        mutable qint64 kopecks = 0;  // read at the first question
        mutable qint8 amount = 0;    // 0 not read yet, 1 an amount, -1 none
    };

    static Packed Pack(const OrderRow& row, const QString& file);
    // Text n of a packed order, 0 for the file's name and 1 + column for a field. After the
    // search text come a byte that tells the encoding, then each text as its length and bytes.
    static QString Text(const Packed& packed, int text);
    // The amount as plain figures, read from the search text without making a string.
    static bool PlainAmount(const Packed& packed, double* value);
    std::vector<int> SortedByValue(int column, Qt::SortOrder order) const;
    std::vector<int> SortedByText(int column, Qt::SortOrder order) const;

    std::vector<Packed> m_orders;
};
