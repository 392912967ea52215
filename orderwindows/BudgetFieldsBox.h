#pragma once

#include <QGroupBox>

#include "orders/OrderRow.h"

class CodeComboBox;
class QLineEdit;

// The fields of a payment to the budget in the order dialog: the payer's status (101) as a list
// of the codes with their meanings, 104–110 and "Код (УИН)". No more can be typed into a field
// than it takes; a longer value read from a file is shown whole, for the checks to name.
class BudgetFieldsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit BudgetFieldsBox(QWidget* parent = nullptr);

    // Shows the row's budget fields, or takes them into the row.
    void SetFields(const OrderRow& row);
    void TakeFields(OrderRow* row) const;
    bool AnyFilled() const;

    // The control of a budget field's column: the status list, or an edit.
    QWidget* FieldOf(int column) const;
    QLineEdit* EditOf(int column) const;

private:
    CodeComboBox* m_status = nullptr;
    QLineEdit* m_edits[kBudgetFieldCount] = {};  // by column, from the status's on
};
