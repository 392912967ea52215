#include "orderwindows/COrderListModel.h"

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QStyle>
#include <numeric>
#include <tuple>

#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "orders/OrderTexts.h"

namespace {

// In pixels, column by column, the state's last.
constexpr int kColumnWidths[COrderListModel::kColumnCount] = {50,  100, 200, 200, 100, 500,
                                                              100, 100, 150, 100, 210};

bool IsRightAligned(int column) {
    return column == kColumnNumber || column == kColumnAmount;
}

// The cell's text as shown: the blanks that "%4d" puts before a number only push it off the
// right edge it is aligned to; the amount and the date read as the form writes them, grouped
// and padded with noughts, whatever the file holds.
QString DisplayText(const QString& field, int column) {
    switch (column) {
        case kColumnNumber:
            return field.trimmed();
        case kColumnDate:
            return OrderTexts::ShownDate(field);
        case kColumnAmount:
            return OrderAmount::ShownText(field);
        default:
            return field;
    }
}

// An overdue order's state stands out in bold; null for the list's own font.
QVariant StateFont(const OrderStates::State& state) {
    if (!state.overdue) {
        return {};
    }
    QFont font;
    font.setBold(true);
    return font;
}

}  // namespace

COrderListModel::COrderListModel(QObject* parent) : QAbstractTableModel(parent) {}

QString COrderListModel::ColumnCaption(int column) {
    return column == kStateColumn ? QStringLiteral("Состояние") : OrderFields::Caption(column);
}

int COrderListModel::ColumnWidth(int column) {
    if (column != kStateColumn) {
        return kColumnWidths[column];
    }
    // The longest state, an overdue one in bold behind its warning sign, is read whole.
    OrderStates::State overdue;
    overdue.stage = OrderStates::Stage::Sent;
    overdue.sent = QDate(2026, 12, 28);
    overdue.overdue = true;
    const QFont font = StateFont(overdue).value<QFont>();
    const QStyle* style = QApplication::style();
    const int iconAndMargins = style->pixelMetric(QStyle::PM_SmallIconSize) +
                               4 * style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    return qMax(kColumnWidths[column],
                QFontMetrics(font).horizontalAdvance(OrderStates::Text(overdue)) + iconAndMargins);
}

void COrderListModel::SetRowIcon(const QIcon& icon) {
    m_rowIcon = icon;
    if (m_orders.Size() > 0) {
        emit dataChanged(index(0, kColumnNumber), index(rowCount() - 1, kColumnNumber),
                         {Qt::DecorationRole});
    }
}

void COrderListModel::SetRows(QList<OrderRow> rows, QStringList files) {
    Q_ASSERT(rows.size() == files.size());
    beginResetModel();
    m_states = QList<OrderStates::State>(rows.size());
    m_orders.Assign(std::move(rows), std::move(files));
    endResetModel();
}

void COrderListModel::SetStates(const QList<OrderStates::State>& states) {
    Q_ASSERT(states.size() == m_states.size());
    m_states = states;
    if (!m_states.isEmpty()) {
        emit dataChanged(index(0, kStateColumn), index(rowCount() - 1, kStateColumn));
    }
}

void COrderListModel::SetState(int row, const OrderStates::State& state) {
    m_states[row] = state;
    emit dataChanged(index(row, kStateColumn), index(row, kStateColumn));
}

QList<OrderRow> COrderListModel::Rows() const {
    QList<OrderRow> rows;
    rows.reserve(m_orders.Size());
    for (qsizetype i = 0; i < m_orders.Size(); ++i) {
        rows.append(m_orders.Row(i));
    }
    return rows;
}

void COrderListModel::SetRow(int row, const OrderRow& values, const QString& file) {
    m_orders.Set(row, values, file);
    emit dataChanged(index(row, 0), index(row, kOrderColumnCount - 1), {Qt::DisplayRole});
}

void COrderListModel::AppendRow(const OrderRow& values, const QString& file) {
    beginInsertRows(QModelIndex(), rowCount(), rowCount());
    m_orders.Append(values, file);
    m_states.append(OrderStates::State());
    endInsertRows();
}

void COrderListModel::RemoveRow(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    m_orders.Remove(row);
    m_states.removeAt(row);
    endRemoveRows();
}

bool COrderListModel::HasOtherRowOfFile(const QString& file, int exceptRow) const {
    for (int i = 0; i < rowCount(); ++i) {
        if (i != exceptRow && m_orders.File(i) == file) {
            return true;
        }
    }
    return false;
}

void COrderListModel::RemoveOtherRowsOfFile(const QString& file, int keptRow) {
    // From the end, so that the rows still to be looked at keep their indexes.
    for (int i = rowCount() - 1; i >= 0; --i) {
        if (i != keptRow && m_orders.File(i) == file) {
            RemoveRow(i);
        }
    }
}

int COrderListModel::LongestNumberRow() const {
    int longest = -1;
    qsizetype longestLength = -1;
    for (int i = 0; i < rowCount(); ++i) {
        const QString number = m_orders.Field(i, kColumnNumber);
        const QStringView text = QStringView(number).trimmed();
        if (text.size() > longestLength) {
            longest = i;
            longestLength = text.size();
        }
    }
    return longest;
}

int COrderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_orders.Size());
}

int COrderListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant COrderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (index.column() == kStateColumn) {
        return StateData(index.row(), role);
    }
    switch (role) {
        case Qt::DisplayRole:
            return DisplayText(m_orders.Field(index.row(), index.column()), index.column());
        case Qt::DecorationRole:
            return index.column() == kColumnNumber ? QVariant(m_rowIcon) : QVariant();
        case Qt::TextAlignmentRole:
            return IsRightAligned(index.column())
                       ? QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        default:
            return {};
    }
}

QVariant COrderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
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

QVariant COrderListModel::StateData(int row, int role) const {
    const OrderStates::State& state = m_states[row];
    switch (role) {
        case Qt::DisplayRole:
            return OrderStates::Text(state);
        case Qt::DecorationRole:
            // Sent long ago and not in the bank's statement since: the user should look at it.
            return state.overdue
                       ? QVariant(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning))
                       : QVariant();
        case Qt::ForegroundRole:
            return state.overdue ? QVariant(QBrush(QColor(0xa0, 0x10, 0x10))) : QVariant();
        case Qt::FontRole:
            return StateFont(state);
        default:
            return {};
    }
}

std::vector<int> COrderListModel::SortedRows(int column, Qt::SortOrder order) const {
    return column == kStateColumn ? SortedByState(order) : m_orders.Sorted(column, order);
}

// Made, sent, executed, each by its day; orders alike keep their order, whichever the direction.
std::vector<int> COrderListModel::SortedByState(Qt::SortOrder order) const {
    const auto key = [this](int row) {
        const OrderStates::State& state = m_states[row];
        const QDate day = state.stage == OrderStates::Stage::Executed ? state.executed : state.sent;
        return std::make_tuple(int(state.stage), day.isValid() ? day.toJulianDay() : 0);
    };
    std::vector<int> rows(static_cast<size_t>(rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? key(a) < key(b) : key(b) < key(a);
    });
    return rows;
}
