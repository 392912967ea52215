#include "orderwindows/BudgetFieldsBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "bank/BudgetPayment.h"
#include "orders/OrderFields.h"
#include "widgets/CodeComboBox.h"

namespace {

// Each field's place in the box's grid of two label-and-field pairs a row; a field that spans
// the row takes both pairs' room. Its label and length are the order's fields' own.
struct Place {
    int column;
    const char* objectName;
    int row;
    int pair;  // 0 left, 1 right
    bool wide;
};

const Place kPlaces[] = {
    {kColumnStatus, "status", 0, 0, true},
    {kColumnKbk, "kbk", 1, 0, true},
    {kColumnOktmo, "oktmo", 2, 0, false},
    {kColumnTaxBasis, "taxBasis", 2, 1, false},
    {kColumnTaxPeriod, "taxPeriod", 3, 0, false},
    {kColumnTaxDocNumber, "taxDocNumber", 3, 1, false},
    {kColumnTaxDocDate, "taxDocDate", 4, 0, false},
    {kColumnTaxType, "taxType", 4, 1, false},
    {kColumnUin, "uin", 5, 0, true},
};

int MaxLength(int column) {
    return OrderFields::Of(column).maxLength;
}

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
            const int length = MaxLength(place.column);
            edit->setMaxLength(length);
            // A longer value read from a file stays whole; it may only be shortened.
            connect(edit, &QLineEdit::textChanged, edit, [edit, length](const QString& text) {
                edit->setMaxLength(qMax(length, int(text.size())));
            });
            // Wide enough for the longest value the field takes, ОКТМО's eleven figures whole.
            QStyleOptionFrame frame;
            frame.initFrom(edit);
            // A line edit keeps two pixels either side of its text, and one for the cursor.
            const QSize text(edit->fontMetrics().horizontalAdvance(QString(length, u'0')) + 5,
                             edit->fontMetrics().height());
            edit->setMinimumWidth(
                edit->style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, edit).width());
            m_edits[place.column - kOrderColumnCount] = edit;
            field = edit;
        }
        field->setObjectName(QLatin1String(place.objectName));
        auto* label = new QLabel(OrderFields::Of(place.column).Label(), this);
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
            edit->setMaxLength(qMax(MaxLength(place.column), int(row[place.column].size())));
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
