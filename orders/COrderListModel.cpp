#include "orders/COrderListModel.h"

namespace {

struct Column {
    const char16_t* caption;
    int width;
};

const Column kColumns[kOrderColumnCount] = {
    {u"№", 50},
    {u"Дата", 100},
    {u"Плательщик", 200},
    {u"Получатель", 200},
    {u"Сумма", 100},
    {u"Основание", 500},
    {u"Вид оплаты", 100},
    {u"Срок платежа", 100},
    {u"Очередность платежа", 150},
    {u"Вид платежа", 100},
};

}  // namespace

COrderListModel::COrderListModel(QObject* parent) : QAbstractTableModel(parent) {}

QString COrderListModel::ColumnCaption(int column) {
    return QString::fromUtf16(kColumns[column].caption);
}

int COrderListModel::ColumnWidth(int column) {
    return kColumns[column].width;
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
            return m_rows.at(index.row())[index.column()];
        case Qt::DecorationRole:
            return index.column() == kColumnNumber ? QVariant(m_rowIcon) : QVariant();
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
