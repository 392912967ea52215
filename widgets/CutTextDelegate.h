#pragma once

#include <QStyledItemDelegate>

// Draws cells as usual; a cell whose text its column cuts shows the whole text as its tooltip,
// and a cell shown whole shows none.
class CutTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether the cell's text and icon need more room than the cell has.
    bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};
