#include "orderwindows/CTemplateDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/MessageBoxes.h"

namespace {

using Kind = Recurrence::Kind;

// A day of the month, or the last working day, as the lists offer them.
QComboBox* DayList(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (int day = 1; day <= 31; ++day) {
        list->addItem(QString::number(day), day);
    }
    list->addItem(QStringLiteral("последний рабочий день"), Recurrence::kLastWorkingDay);
    return list;
}

void Choose(QComboBox* list, int value) {
    const int index = list->findData(value);
    if (index >= 0) {
        list->setCurrentIndex(index);
    }
}

}  // namespace

CTemplateDlg::CTemplateDlg(Save save, QWidget* parent) : QDialog(parent), m_save(std::move(save)) {
    setWindowTitle(QStringLiteral("Шаблон платежного поручения"));
    CreateControls();
    SetTemplate(QString(), Recurrence());
}

void CTemplateDlg::CreateControls() {
    m_editName = new QLineEdit(this);
    m_editName->setObjectName(QStringLiteral("name"));
    m_editName->setPlaceholderText(QStringLiteral("например, Аренда офиса"));

    m_kinds = new QButtonGroup(this);
    const auto kind = [this](const QString& text, Kind value, const char* name) {
        auto* radio = new QRadioButton(text, this);
        radio->setObjectName(QLatin1String(name));
        m_kinds->addButton(radio, int(value));
        return radio;
    };
    m_comboEvery = new QComboBox(this);
    m_comboEvery->setObjectName(QStringLiteral("every"));
    const QPair<QString, int> everies[] = {{QStringLiteral("ежемесячно"), 1},
                                           {QStringLiteral("раз в 2 месяца"), 2},
                                           {QStringLiteral("ежеквартально"), 3},
                                           {QStringLiteral("раз в полгода"), 6},
                                           {QStringLiteral("ежегодно"), 12}};
    for (const auto& [text, months] : everies) {
        m_comboEvery->addItem(text, months);
    }
    m_comboDay = DayList(this, "day");
    m_comboSecondDay = DayList(this, "secondDay");
    m_editFirst = new QDateEdit(this);
    m_editFirst->setObjectName(QStringLiteral("first"));
    m_editFirst->setDisplayFormat(QStringLiteral("MM.yyyy"));
    m_editFirst->setDateRange(QDate(2000, 1, 1), QDate(9999, 12, 1));
    m_firstDue = new QLabel(this);
    m_firstDue->setObjectName(QStringLiteral("firstDue"));

    // The kinds of repeat, one under the other; how often, beside the monthly one.
    auto* every = new QHBoxLayout;
    every->addWidget(kind(QStringLiteral("повторяется"), Kind::Monthly, "monthly"));
    every->addWidget(m_comboEvery);
    every->addStretch();
    auto* repeat = new QVBoxLayout;
    repeat->addWidget(kind(QStringLiteral("не повторяется"), Kind::None, "none"));
    repeat->addLayout(every);
    repeat->addWidget(kind(QStringLiteral("два раза в месяц"), Kind::TwiceMonthly, "twice"));
    auto* first = new QHBoxLayout;
    first->addWidget(m_editFirst);
    first->addWidget(m_firstDue, 1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Имя шаблона:"), m_editName);
    form->addRow(QStringLiteral("Платеж:"), repeat);
    form->addRow(QStringLiteral("День платежа:"), m_comboDay);
    form->addRow(QStringLiteral("Второй платеж:"), m_comboSecondDay);
    form->addRow(QStringLiteral("Первый платеж:"), first);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTemplateDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_kinds, &QButtonGroup::idToggled, this, [this] { UpdateFields(); });
    for (QComboBox* list : {m_comboEvery, m_comboDay, m_comboSecondDay}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] { UpdateFields(); });
    }
    connect(m_editFirst, &QDateEdit::dateChanged, this, [this] { UpdateFields(); });
}

void CTemplateDlg::SetTemplate(const QString& name, const Recurrence& recurrence) {
    m_editName->setText(name);
    Choose(m_comboEvery, recurrence.everyMonths);
    Choose(m_comboDay, recurrence.day);
    Choose(m_comboSecondDay, recurrence.secondDay);
    m_editFirst->setDate(recurrence.first.isValid() ? recurrence.first
                                                    : QDate::currentDate().addMonths(1));
    m_kinds->button(int(recurrence.kind))->setChecked(true);
    UpdateFields();
}

QString CTemplateDlg::Name() const {
    return m_editName->text();
}

Recurrence CTemplateDlg::ChosenRecurrence() const {
    Recurrence recurrence;
    recurrence.kind = Kind(m_kinds->checkedId());
    if (!recurrence.Repeats()) {
        return recurrence;
    }
    recurrence.everyMonths =
        recurrence.kind == Kind::Monthly ? m_comboEvery->currentData().toInt() : 1;
    recurrence.day = m_comboDay->currentData().toInt();
    recurrence.secondDay = recurrence.kind == Kind::TwiceMonthly
                               ? m_comboSecondDay->currentData().toInt()
                               : Recurrence().secondDay;
    const QDate month = m_editFirst->date();
    recurrence.first = QDate(month.year(), month.month(), 1);
    return recurrence;
}

void CTemplateDlg::UpdateFields() {
    const Kind kind = Kind(m_kinds->checkedId());
    m_comboEvery->setEnabled(kind == Kind::Monthly);
    m_comboDay->setEnabled(kind != Kind::None);
    m_comboSecondDay->setEnabled(kind == Kind::TwiceMonthly);
    m_editFirst->setEnabled(kind != Kind::None);
    const Recurrence recurrence = ChosenRecurrence();
    // A day off moves the payment to the working day before: said here, not found out later.
    m_firstDue->setText(
        recurrence.Repeats() && recurrence.Problem().isEmpty()
            ? QStringLiteral("срок %1").arg(
                  DueDay(recurrence.first, recurrence.day).toString(QStringLiteral("dd.MM.yyyy")))
            : QString());
}

void CTemplateDlg::OnOK() {
    QString error;
    if (m_save(Name(), ChosenRecurrence(), &error)) {
        accept();
        return;
    }
    MessageBoxes::ShowError(this, error);
}
