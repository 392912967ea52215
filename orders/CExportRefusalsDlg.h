#pragma once

#include <QDialog>
#include <QList>

#include "orders/BankExport.h"

// The orders that cannot go to the bank, in one list, shown before anything is written: the user
// exports the rest or nothing. When none of the orders can go, it only tells so. Accepted means
// "export the rest".
class CExportRefusalsDlg : public QDialog {
    Q_OBJECT
public:
    CExportRefusalsDlg(const QList<BankExport::Refusal>& refused, qsizetype exportable,
                       QWidget* parent = nullptr);
};
