#pragma once

#include <QDialog>

#include "bank/StatementAnswers.h"
#include "bank/StatementImport.h"
#include "orders/WorkingFolder.h"

class QComboBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The bank's statement as it was read against the archive (Архив → "Загрузить выписку…"): for
// each account the period, the balances and whether they add up, the outgoing payments with the
// order each answers (or "нет в архиве"), the incoming payments and the bank's own operations.
// Where the rule cannot pair documents and orders, the user says which order a document answers,
// and the answer is kept at once for the orders' states to follow. The parties the statement names
// and neither book holds are each added to their book with one click.
class CStatementDlg : public QDialog {
    Q_OBJECT
public:
    CStatementDlg(const StatementImport& import, const WorkingFolder& folder,
                  QWidget* parent = nullptr);

private:
    QTreeWidget* CreateStatementTree();
    void AddAccount(QTreeWidget* tree, const AccountStatement& account);
    void AddEntries(QTreeWidgetItem* parent, const QString& caption,
                    const QList<qsizetype>& entries);
    // The choice of the order a document answers, in its row.
    QComboBox* CreateAnswerChoice(qsizetype entry, const StatementAmbiguity& ambiguity);
    void OnAnswer(qsizetype entry, const QString& orderFile);
    QTreeWidget* CreatePartyList();
    // Adds the party to its book; the button then says it is done.
    void OnAddParty(qsizetype party, QPushButton* button);

    const StatementImport m_import;
    const WorkingFolder m_folder;
    StatementAnswers m_answers;
};
