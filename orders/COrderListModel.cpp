#include "orders/COrderListModel.h"

#include "orders/OrderAmount.h"
#include "orders/OrderTexts.h"

namespace {

// In pixels, column by column.
constexpr int kColumnWidths[kOrderColumnCount] = {50, 100, 200, 200, 100, 500, 100, 100, 150, 100};

bool IsRightAligned(int column) {
    return column == kColumnNumber || column == kColumnAmount;
}

// The cell's text as shown: the blanks that "%4d" puts before a number only push it off the
// right edge it is aligned to.
QString DisplayText(const OrderRow& row, int column) {
    return column == kColumnNumber ? row[column].trimmed() : row[column];
}

QVariant SortValue(const OrderRow& row, int column) {
    switch (column) {
        case kColumnNumber:
            return row.Number();
        case kColumnDate:
            return OrderTexts::DateFromText(row[column]);
        case kColumnAmount:
            return ParseAmount(row[column]);
        default:
            return row[column];
    }
}

}  // namespace

COrderListModel::COrderListModel(QObject* parent) : QAbstractTableModel(parent) {}

QString COrderListModel::ColumnCaption(int column) {
    return OrderRow::ColumnCaption(column);
}

int COrderListModel::ColumnWidth(int column) {
    return kColumnWidths[column];
}

void COrderListModel::SetRowIcon(const QIcon& icon) {
    m_rowIcon = icon;
    if (!m_rows.isEmpty()) {
        emit dataChanged(index(0, kColumnNumber), index(rowCount() - 1, kColumnNumber),
                         {Qt::DecorationRole});
    }
}

void COrderListModel::SetRows(QList<OrderRow> rows, QStringList files) {
    Q_ASSERT(rows.size() == files.size());
    beginResetModel();
    m_rows = std::move(rows);
    m_files = std::move(files);
    endResetModel();
}

void COrderListModel::SetRow(int row, const OrderRow& values, const QString& file) {
    m_rows[row] = values;
    m_files[row] = file;
    emit dataChanged(index(row, 0), index(row, kOrderColumnCount - 1), {Qt::DisplayRole});
}

void COrderListModel::AppendRow(const OrderRow& values, const QString& file) {
    beginInsertRows(QModelIndex(), rowCount(), rowCount());
    m_rows.append(values);
    m_files.append(file);
    endInsertRows();
}

void COrderListModel::RemoveRow(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.removeAt(row);
    m_files.removeAt(row);
    endRemoveRows();
}

bool COrderListModel::HasOtherRowOfFile(const QString& file, int exceptRow) const {
    for (int i = 0; i < m_files.size(); ++i) {
        if (i != exceptRow && m_files.at(i) == file) {
            return true;
        }
    }
    return false;
}

void COrderListModel::RemoveOtherRowsOfFile(const QString& file, int keptRow) {
    // From the end, so that the rows still to be looked at keep their indexes.
    for (int i = int(m_files.size()) - 1; i >= 0; --i) {
        if (i != keptRow && m_files.at(i) == file) {
            RemoveRow(i);
        }
    }
}

int COrderListModel::LongestNumberRow() const {
    int longest = -1;
    qsizetype longestLength = -1;
    for (int i = 0; i < m_rows.size(); ++i) {
        const QStringView text = QStringView(m_rows.at(i)[kColumnNumber]).trimmed();
        if (text.size() > longestLength) {
            longest = i;
            longestLength = text.size();
        }
    }
    return longest;
}

int COrderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int COrderListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kOrderColumnCount;
}

QVariant COrderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return DisplayText(m_rows.at(index.row()), index.column());
        case Qt::DecorationRole:
            return index.column() == kColumnNumber ? QVariant(m_rowIcon) : QVariant();
        case Qt::TextAlignmentRole:
            return IsRightAligned(index.column())
                       ? QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        case kSortRole:
            return SortValue(m_rows.at(index.row()), index.column());
        default:
            return {};
    }
}

QVariant COrderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kOrderColumnCount) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return ColumnCaption(section);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}
