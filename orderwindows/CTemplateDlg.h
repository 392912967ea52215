#pragma once

#include <QDialog>
#include <functional>

#include "routine/Recurrence.h"

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

// A template's name and when its payment repeats: not at all, every month or few months on a day
// or the last working day, or twice a month on two days, from the month of the first payment. OK
// hands them to the save it was given and ends only when that took them; a refusal is told and
// the dialog stays open.
class CTemplateDlg : public QDialog {
    Q_OBJECT
public:
    using Save =
        std::function<bool(const QString& name, const Recurrence& recurrence, QString* error)>;

    explicit CTemplateDlg(Save save, QWidget* parent = nullptr);

    // What the dialog opens with; a recurrence that does not repeat still gives the day and the
    // month offered when the user chooses one that does.
    void SetTemplate(const QString& name, const Recurrence& recurrence);

    QString Name() const;
    Recurrence ChosenRecurrence() const;

public slots:
    void OnOK();

private:
    void CreateControls();
    // Enables the fields of the kind of repeat chosen, and says when the first payment falls due.
    void UpdateFields();

    Save m_save;
    QLineEdit* m_editName = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QComboBox* m_comboEvery = nullptr;
    QComboBox* m_comboDay = nullptr;
    QComboBox* m_comboSecondDay = nullptr;
    QDateEdit* m_editFirst = nullptr;
    QLabel* m_firstDue = nullptr;
};
