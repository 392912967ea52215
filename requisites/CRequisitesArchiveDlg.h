#pragma once

#include <QDialog>
#include <QString>

#include "requisites/CRequisiteArray.h"

class QListWidget;
class QPushButton;

// One address book of counterparties: payers (kind 0) or recipients (any other kind). The dialog
// lists the names and adds, changes and deletes records in memory; the object writes its list back
// to the kind's file when it is destroyed, however the dialog was closed. Without being shown it
// serves as a loader of a list: LoadRequisites, read m_requisites, let it go.
class CRequisitesArchiveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRequisitesArchiveDlg(int nKind, QWidget* parent = nullptr);
    ~CRequisitesArchiveDlg() override;

    // Appends the records of the file to m_requisites.
    void LoadRequisites(const QString& fileName);

    // Sets the caption of the kind, loads the kind's file and fills the list. Runs once, when the
    // dialog is first shown, so that a loader never loads its file twice.
    void OnInitDialog();
    // Lists the name of every record and selects the first.
    void FillList();

    CRequisiteArray m_requisites;
    int m_nKind;

public slots:
    void OnAdd();
    void OnChange();
    void OnDelete();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What the object knows of the records stored in its file.
    enum class Stored {
        NotLoaded,   // nothing was loaded: the file is left alone
        Loaded,      // the list holds them: it is written back
        Unreadable,  // the file could not be read: writing the list would lose them
    };

    void CreateControls();
    int SelectedIndex() const;
    bool EditRecord(CRequisite* record);
    void SaveRequisites();
    QWidget* MessageParent() const;

    QListWidget* m_pList = nullptr;
    QPushButton* m_pOk = nullptr;
    Stored m_stored = Stored::NotLoaded;
    bool m_bChanged = false;       // the user changed the list in the dialog
    bool m_bInitialised = false;   // OnInitDialog has run
    bool m_bInitialising = false;  // inside OnInitDialog: a read failure is told once shown
};
