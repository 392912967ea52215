#pragma once

#include <QDialog>

#include "routine/TemplateStore.h"

class QTreeWidget;

// The templates of the working folder, to make an order from one ("Создать", Enter or a double
// click), to change one's name and repeat ("Изменить…") or to delete one ("Удалить"). The
// templates that could not be read are named once it is up.
class CTemplatesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTemplatesDlg(const TemplateStore& store, QWidget* parent = nullptr);

    // The templates as read when the dialog opened or last changed one.
    const TemplateList& Templates() const { return m_list; }
    // After "Создать": the template chosen.
    const OrderTemplate& Chosen() const { return m_chosen; }

public slots:
    void OnCreate();
    void OnChange();
    void OnDelete();

private:
    void Fill();
    // The selected template; null, after telling the user, when none is.
    const OrderTemplate* RequireSelected();

    TemplateStore m_store;
    TemplateList m_list;
    OrderTemplate m_chosen;
    QTreeWidget* m_pList = nullptr;
};
