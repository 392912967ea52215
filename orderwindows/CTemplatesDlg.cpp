#include "orderwindows/CTemplatesDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "orders/OrderAmount.h"
#include "orderwindows/CTemplateDlg.h"
#include "widgets/MessageBoxes.h"

namespace {

constexpr int kListWidth = 640;
constexpr int kListHeight = 220;

}  // namespace

CTemplatesDlg::CTemplatesDlg(const TemplateStore& store, QWidget* parent)
    : QDialog(parent), m_store(store) {
    setWindowTitle(QStringLiteral("Создать по шаблону"));
    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("templates"));
    m_pList->setRootIsDecorated(false);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setHeaderLabels({QStringLiteral("Шаблон"), QStringLiteral("Получатель"),
                              QStringLiteral("Сумма"), QStringLiteral("Повтор")});
    m_pList->setMinimumSize(kListWidth, kListHeight);
    m_pList->header()->setStretchLastSection(true);
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, &CTemplatesDlg::OnCreate);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* create =
        buttons->addButton(QStringLiteral("Создать"), QDialogButtonBox::ActionRole);
    create->setDefault(true);
    connect(create, &QPushButton::clicked, this, &CTemplatesDlg::OnCreate);
    connect(buttons->addButton(QStringLiteral("Изменить…"), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, &CTemplatesDlg::OnChange);
    connect(buttons->addButton(QStringLiteral("Удалить"), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, &CTemplatesDlg::OnDelete);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);

    m_list = m_store.ReadAll();
    Fill();
    const QString damaged = m_list.DamagedMessage();
    if (!damaged.isEmpty()) {
        // Told over the dialog once it is up.
        QMetaObject::invokeMethod(
            this, [this, damaged] { MessageBoxes::ShowError(this, damaged); },
            Qt::QueuedConnection);
    }
}

void CTemplatesDlg::Fill() {
    m_pList->clear();
    for (const OrderTemplate& each : m_list.templates) {
        auto* item = new QTreeWidgetItem(
            m_pList, {each.name, each.order[kColumnRecipient],
                      OrderAmount::ShownText(each.order[kColumnAmount]), each.recurrence.Text()});
        item->setData(0, Qt::UserRole, each.id);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < m_pList->columnCount() - 1; ++column) {
        m_pList->resizeColumnToContents(column);
    }
    if (m_pList->topLevelItemCount() > 0) {
        m_pList->setCurrentItem(m_pList->topLevelItem(0));
    }
    m_pList->setFocus();
}

const OrderTemplate* CTemplatesDlg::RequireSelected() {
    const QTreeWidgetItem* item = m_pList->currentItem();
    const OrderTemplate* chosen =
        item && item->isSelected() ? m_list.Find(item->data(0, Qt::UserRole).toInt()) : nullptr;
    if (!chosen) {
        MessageBoxes::ShowError(this, QStringLiteral("Выберите шаблон"));
    }
    return chosen;
}

void CTemplatesDlg::OnCreate() {
    if (const OrderTemplate* chosen = RequireSelected()) {
        m_chosen = *chosen;
        accept();
    }
}

void CTemplatesDlg::OnChange() {
    const OrderTemplate* chosen = RequireSelected();
    if (!chosen) {
        return;
    }
    const OrderTemplate original = *chosen;
    CTemplateDlg dialog(
        [this, &original](const QString& name, const Recurrence& recurrence, QString* error) {
            OrderTemplate changed = original;
            changed.name = name;
            changed.recurrence = recurrence;
            return m_store.Replace(changed, error);
        },
        this);
    dialog.SetTemplate(original.name, original.recurrence);
    if (dialog.exec() == QDialog::Accepted) {
        m_list = m_store.ReadAll();
        Fill();
    }
}

void CTemplatesDlg::OnDelete() {
    const OrderTemplate* chosen = RequireSelected();
    if (!chosen) {
        return;
    }
    // Enter must not delete.
    if (!MessageBoxes::AskYesNo(this, QStringLiteral("Удалить шаблон «%1»?").arg(chosen->name),
                                MessageBoxes::Answer::No)) {
        return;
    }
    QString error;
    if (!m_store.Remove(chosen->id, &error)) {
        MessageBoxes::ShowError(this, error);
    }
    m_list = m_store.ReadAll();
    Fill();
}
