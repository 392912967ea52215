#include "widgets/CodeComboBox.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

namespace {
constexpr int kCodeColumn = 0;
constexpr int kMeaningColumn = 1;
}  // namespace

CodeComboBox::CodeComboBox(const CodeList& codes, QWidget* parent) : QComboBox(parent) {
    auto* model = new QStandardItemModel(0, 2, this);
    setModel(model);
    setModelColumn(kCodeColumn);
    // The list shows each code beside its meaning; the box only the code.
    auto* list = new QTableView(this);
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->setShowGrid(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setWordWrap(false);
    setView(list);
    AddCode(QString(), QString());
    for (const CodeMeaning& code : codes) {
        AddCode(code.code, code.meaning);
    }
    list->resizeColumnsToContents();
    list->resizeRowsToContents();
    list->setMinimumWidth(list->horizontalHeader()->length() + list->frameWidth() * 2 + 20);
}

void CodeComboBox::AddCode(const QString& code, const QString& meaning) {
    auto* model = static_cast<QStandardItemModel*>(this->model());
    auto* codeItem = new QStandardItem(code);
    codeItem->setToolTip(meaning);
    model->appendRow({codeItem, new QStandardItem(meaning)});
}

void CodeComboBox::SetCode(const QString& code) {
    int index = findText(code, Qt::MatchExactly);
    if (index < 0) {
        AddCode(code, QStringLiteral("нет в списке"));
        index = count() - 1;
    }
    setCurrentIndex(index);
}

QString CodeComboBox::Code() const {
    return currentText();
}
