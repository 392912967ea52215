#pragma once

#include <QDialog>

#include "routine/OrderRegister.h"

// "Реестр…": says which orders the register holds and their total, and asks what to do with it:
// print it ("Напечатать…", through the print dialog) or save it as a PDF or CSV file ("Сохранить
// в файл…", through the file dialog).
class CRegisterDlg : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Print, Save };

    // chosen: the register holds the orders the user chose, not all those the list shows.
    CRegisterDlg(const OrderRegister& reg, bool chosen, QWidget* parent = nullptr);

    Choice Chosen() const { return m_choice; }

private:
    Choice m_choice = Choice::Save;
};
