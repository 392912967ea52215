#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "routine/DuePayments.h"

class QGridLayout;
class QPushButton;

// "Пора платить": the repeated payments that have fallen due and have no order yet, one row each
// ("Пора платить: Аренда за декабрь 2026 — 185 000,00", its due day, new ones marked), each made
// with one click ("Создать", which opens the order dialog filled) or skipped for its period
// ("Пропустить"). A row dealt with says what became of it; the rest are offered again next time.
class CDuePaymentsDlg : public QDialog {
    Q_OBJECT
public:
    // Makes the payment's order over the list's window; the number of the order stored, or 0
    // when none was.
    using Make = std::function<int(const DuePayment& payment, QWidget* list)>;
    // Records the payment as skipped; false, after telling the user over the list's window, when
    // it could not be.
    using Skip = std::function<bool(const DuePayment& payment, QWidget* list)>;

    CDuePaymentsDlg(const QList<DuePayment>& payments, Make make, Skip skip,
                    QWidget* parent = nullptr);

    // The row's "Создать" and "Пропустить" buttons, for the row of each payment in the order given.
    QPushButton* MakeButton(int row) const { return m_rows.at(row).make; }
    QPushButton* SkipButton(int row) const { return m_rows.at(row).skip; }

private:
    struct Row {
        QPushButton* make = nullptr;
        QPushButton* skip = nullptr;
    };

    void AddRow(QGridLayout* grid, int row, const DuePayment& payment);
    // The row's buttons give way to what became of the payment.
    void Settle(int row, const QString& outcome);

    QList<DuePayment> m_payments;
    Make m_make;
    Skip m_skip;
    QList<Row> m_rows;
    QGridLayout* m_pGrid = nullptr;
};
