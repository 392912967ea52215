#include "orderwindows/BudgetFieldsBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "bank/BudgetChecks.h"
#include "bank/BudgetPayment.h"
#include "widgets/CodeComboBox.h"

namespace {

// Each field's caption and its place in the box's grid of two label-and-field pairs a row; a
// field that spans the row takes both pairs' room.
struct Place {
    int column;
    const char16_t* caption;
    const char* objectName;
    int row;
    int pair;  // 0 left, 1 right
    bool wide;
};

const Place kPlaces[] = {
    {kColumnStatus, u"Статус (101)", "status", 0, 0, true},
    {kColumnKbk, u"КБК (104)", "kbk", 1, 0, true},
    {kColumnOktmo, u"ОКТМО (105)", "oktmo", 2, 0, false},
    {kColumnTaxBasis, u"Основание (106)", "taxBasis", 2, 1, false},
    {kColumnTaxPeriod, u"Период (107)", "taxPeriod", 3, 0, false},
    {kColumnTaxDocNumber, u"Номер док. (108)", "taxDocNumber", 3, 1, false},
    {kColumnTaxDocDate, u"Дата док. (109)", "taxDocDate", 4, 0, false},
    {kColumnTaxType, u"Тип (110)", "taxType", 4, 1, false},
    {kColumnUin, u"Код (УИН)", "uin", 5, 0, true},
};

}  // namespace

// The dialog's toggle above the box names it.
BudgetFieldsBox::BudgetFieldsBox(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("budget"));
    auto* grid = new QGridLayout(this);
    for (const Place& place : kPlaces) {
        QWidget* field = nullptr;
        if (place.column == kColumnStatus) {
            m_status = new CodeComboBox(BudgetPayment::Statuses(), this);
            field = m_status;
        } else {
            auto* edit = new QLineEdit(this);
            const int length = BudgetChecks::MaxLength(place.column);
            edit->setMaxLength(length);
            // A longer value read from a file stays whole; it may only be shortened.
            connect(edit, &QLineEdit::textChanged, edit, [edit, length](const QString& text) {
                edit->setMaxLength(qMax(length, int(text.size())));
            });
            m_edits[place.column - kOrderColumnCount] = edit;
            field = edit;
        }
        field->setObjectName(QLatin1String(place.objectName));
        auto* label = new QLabel(QString::fromUtf16(place.caption), this);
        label->setBuddy(field);
        grid->addWidget(label, place.row, place.pair * 2);
        grid->addWidget(field, place.row, place.pair * 2 + 1, 1, place.wide ? 3 : 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void BudgetFieldsBox::SetFields(const OrderRow& row) {
    m_status->SetCode(row[kColumnStatus]);
    for (const Place& place : kPlaces) {
        if (QLineEdit* edit = EditOf(place.column)) {
            edit->setMaxLength(
                qMax(BudgetChecks::MaxLength(place.column), int(row[place.column].size())));
            edit->setText(row[place.column]);
            edit->setCursorPosition(0);
        }
    }
}

void BudgetFieldsBox::TakeFields(OrderRow* row) const {
    (*row)[kColumnStatus] = m_status->Code();
    for (const Place& place : kPlaces) {
        if (QLineEdit* edit = EditOf(place.column)) {
            (*row)[place.column] = edit->text();
        }
    }
}

bool BudgetFieldsBox::AnyFilled() const {
    OrderRow row;
    TakeFields(&row);
    return row.HasBudgetFields();
}

QWidget* BudgetFieldsBox::FieldOf(int column) const {
    if (column == kColumnStatus) {
        return m_status;
    }
    return EditOf(column);
}

QLineEdit* BudgetFieldsBox::EditOf(int column) const {
    const int index = column - kOrderColumnCount;
    return column != kColumnStatus && index >= 0 && index < kBudgetFieldCount ? m_edits[index]
                                                                              : nullptr;
}
