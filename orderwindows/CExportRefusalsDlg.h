#pragma once

#include <QDialog>
#include <QList>

#include "bank/OrderRefusal.h"

// The orders that cannot go to the bank, or cannot be printed whole, in one list, shown before
// anything is written or printed: the user goes on with the rest or does nothing. When none of
// the orders can go, it only tells so. Accepted means "go on with the rest". Each reason wraps
// in its row, however long it is.
class CExportRefusalsDlg : public QDialog {
    Q_OBJECT
public:
    enum class Action { Export, Print };

    CExportRefusalsDlg(const QList<OrderRefusal>& refused, qsizetype exportable, Action action,
                       QWidget* parent = nullptr);
};
