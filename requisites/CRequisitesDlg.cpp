#include "requisites/CRequisitesDlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "form/FormPlaces.h"
#include "requisites/BikChecks.h"
#include "requisites/RequisiteChecks.h"
#include "requisites/RequisitesFile.h"
#include "widgets/DialogUnits.h"
#include "widgets/FieldChecks.h"
#include "widgets/MessageBoxes.h"

namespace {

struct RowTemplate {
    const char* caption;
    QString CRequisitesDlg::*member;
    const char* objectName;
    int y;  // of the edit control; its caption stands 3 units lower, on the text's baseline
};

const RowTemplate kRows[] = {
    {"Наименование", &CRequisitesDlg::m_strName, "editName", 7},
    {"Банк", &CRequisitesDlg::m_strBank, "editBank", 22},
    {"ИНН/КПП", &CRequisitesDlg::m_strInnKpp, "editInnKpp", 38},
    {"БИК", &CRequisitesDlg::m_strBik, "editBik", 54},
    {"Счет1", &CRequisitesDlg::m_strAccount1, "editAccount1", 70},
    {"Счет2", &CRequisitesDlg::m_strAccount2, "editAccount2", 86},
};

// Each field of a record: the dialog's member, the record's, the field the checks name, and where
// it stands on the form of a payer and of a recipient.
struct RecordField {
    QString CRequisitesDlg::*member;
    QString CRequisite::*recordMember;
    RequisiteChecks::Field field;
    FormField payer;
    FormField recipient;
};

const RecordField kRecordFields[] = {
    {&CRequisitesDlg::m_strName, &CRequisite::m_strName, RequisiteChecks::Field::Name,
     FormField::PayerName, FormField::RecipientName},
    {&CRequisitesDlg::m_strBank, &CRequisite::m_strBank, RequisiteChecks::Field::Bank,
     FormField::PayerBank, FormField::RecipientBank},
    {&CRequisitesDlg::m_strInnKpp, &CRequisite::m_strInnKpp, RequisiteChecks::Field::InnKpp,
     FormField::PayerInnKpp, FormField::RecipientInnKpp},
    {&CRequisitesDlg::m_strBik, &CRequisite::m_strBik, RequisiteChecks::Field::Bik,
     FormField::PayerBik, FormField::RecipientBik},
    {&CRequisitesDlg::m_strAccount1, &CRequisite::m_strAccount1, RequisiteChecks::Field::Account1,
     FormField::PayerAccount1, FormField::RecipientAccount1},
    {&CRequisitesDlg::m_strAccount2, &CRequisite::m_strAccount2, RequisiteChecks::Field::Account2,
     FormField::PayerAccount2, FormField::RecipientAccount2},
};
QString BankDetailsMessage(const QList<RequisiteChecks::Problem>& problems) {
    QStringList lines;
    for (const QString& text : RequisiteChecks::Texts(problems)) {
        lines.append(QStringLiteral("• ") + text);
    }
    return QStringLiteral(
               "Реквизиты не проходят проверку банка:\n\n%1\n\nБанк может вернуть платеж с "
               "такими реквизитами. Исправить их или сохранить как есть?")
        .arg(lines.join(QLatin1Char('\n')));
}

QString BikCorrectionsMessage(const QString& bik, const BikDirectory& directory,
                              const QList<BikChecks::FieldValue>& corrections) {
    QStringList lines;
    for (const BikChecks::FieldValue& value : corrections) {
        lines.append(QStringLiteral("%1: «%2» (в записи «%3»)")
                         .arg(value.caption, value.directory, value.current));
    }
    return QStringLiteral(
               "В %1 у БИК %2 другие реквизиты банка:\n\n%3\n\nИсправить их по "
               "справочнику?")
        .arg(BikChecks::DirectoryName(directory), bik, lines.join(QLatin1Char('\n')));
}

}  // namespace

CRequisitesDlg::CRequisitesDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Реквизиты"));
    CreateControls();
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, &CRequisitesDlg::OnFocusChanged);
}

// The widgets' own destruction moves the focus, when this dialog is no longer one to watch it.
CRequisitesDlg::~CRequisitesDlg() {
    disconnect(m_focusWatch);
}

void CRequisitesDlg::CreateControls() {
    const DialogUnits units(font());
    for (const RowTemplate& row : kRows) {
        auto* caption = new QLabel(QString::fromUtf8(row.caption), this);
        units.Place(caption, 7, row.y + 3, 52, 8);
        // Widths were made for the template's font; a wider desktop font must not clip it.
        caption->resize(qMax(caption->width(), caption->sizeHint().width()), caption->height());
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(row.objectName));
        edit->setMaxLength(std::numeric_limits<int>::max());  // no field is ever cut short
        units.Place(edit, 68, row.y, 162, 14);
        m_rows.append({caption->text(), row.member, edit});
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    units.Place(ok, 57, 105, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CRequisitesDlg::OnOK);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    units.Place(cancel, 129, 105, 50, 14);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(units.Size(237, 126));
}

void CRequisitesDlg::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CRequisitesDlg::OnInitDialog() {
    for (const Row& row : m_rows) {
        row.edit->setText(this->*row.member);
        row.edit->setCursorPosition(0);  // a long text shows its beginning
    }
    m_rows.first().edit->setFocus();
}

void CRequisitesDlg::OnOK() {
    for (const Row& row : m_rows) {
        if (RefuseUnstorableText(row)) {
            return;
        }
    }
    if (!ConfirmBankDetails() || !ConfirmFieldsFitForm()) {
        return;
    }
    for (const Row& row : m_rows) {
        this->*row.member = row.edit->text();
    }
    accept();
}

bool CRequisitesDlg::ConfirmFieldsFitForm() {
    const bool payer = m_nKind == RequisitesFile::kPayersKind;
    for (const Row& row : m_rows) {
        for (const RecordField& place : kRecordFields) {
            if (place.member == row.member &&
                !ConfirmFieldFitsForm(row.edit, row.caption,
                                      FormPlaces::ShownChars(payer ? place.payer : place.recipient,
                                                             row.edit->text()))) {
                return false;
            }
        }
    }
    return true;
}

bool CRequisitesDlg::RefuseUnstorableText(const Row& row) {
    return RefuseUnstorableField(row.edit, row.caption, QStringLiteral("файле реквизитов"));
}

QLineEdit* CRequisitesDlg::EditOf(QString CRequisitesDlg::*member) const {
    for (const Row& row : m_rows) {
        if (row.member == member) {
            return row.edit;
        }
    }
    return nullptr;
}

CRequisite CRequisitesDlg::TypedRecord() const {
    CRequisite record;
    for (const RecordField& field : kRecordFields) {
        record.*field.recordMember = EditOf(field.member)->text();
    }
    return record;
}

QLineEdit* CRequisitesDlg::EditOfRecordMember(QString CRequisite::*member) const {
    for (const RecordField& field : kRecordFields) {
        if (field.recordMember == member) {
            return EditOf(field.member);
        }
    }
    return nullptr;
}

void CRequisitesDlg::OnFocusChanged(QWidget* old, QWidget* now) {
    if (old != EditOf(&CRequisitesDlg::m_strBik) || !now || now->window() != this) {
        return;  // the focus left the window, for a message box say, or another field
    }
    // Filled at once: a press on OK must find the fields filled when it is released.
    FillFromBikDirectory();
    if (qobject_cast<QLineEdit*>(now)) {
        // Asked once the focus has settled, not in the middle of its move.
        QTimer::singleShot(0, this, &CRequisitesDlg::OfferBikCorrections);
    }
}

void CRequisitesDlg::FillFromBikDirectory() {
    const BikChecks::Suggestions suggestions =
        BikChecks::Suggest(TypedRecord(), m_nKind, m_bikDirectory);
    for (const BikChecks::FieldValue& value : suggestions.fills) {
        QLineEdit* edit = EditOfRecordMember(value.member);
        edit->setText(value.directory);
        edit->setCursorPosition(0);
    }
}

void CRequisitesDlg::OfferBikCorrections() {
    if (!isVisible()) {
        return;
    }
    const CRequisite record = TypedRecord();
    const BikChecks::Suggestions suggestions = BikChecks::Suggest(record, m_nKind, m_bikDirectory);
    const QString bik = BikDirectory::WithoutBlanks(record.m_strBik);
    if (suggestions.corrections.isEmpty() || bik == m_strBikOffered) {
        return;
    }
    m_strBikOffered = bik;
    if (MessageBoxes::AskChoice(this, QStringLiteral("Справочник БИК"),
                                BikCorrectionsMessage(bik, m_bikDirectory, suggestions.corrections),
                                QStringLiteral("Исправить"), QStringLiteral("Оставить как есть"),
                                MessageBoxes::Choice::Second) != MessageBoxes::Choice::First) {
        return;
    }
    for (const BikChecks::FieldValue& value : suggestions.corrections) {
        QLineEdit* edit = EditOfRecordMember(value.member);
        edit->setText(value.directory);
        edit->setCursorPosition(0);
    }
}

bool CRequisitesDlg::ConfirmBankDetails() {
    const CRequisite record = TypedRecord();
    QList<RequisiteChecks::Problem> problems =
        RequisiteChecks::Check(record) + BikChecks::Check(record, m_nKind, m_bikDirectory);
    // In the order of the fields, so the first is on the topmost field.
    std::stable_sort(problems.begin(), problems.end(),
                     [](const RequisiteChecks::Problem& a, const RequisiteChecks::Problem& b) {
                         return a.field < b.field;
                     });
    if (problems.isEmpty()) {
        return true;
    }
    if (MessageBoxes::AskChoice(this, QStringLiteral("Проверка реквизитов"),
                                BankDetailsMessage(problems), QStringLiteral("Исправить"),
                                QStringLiteral("Сохранить как есть"),
                                MessageBoxes::Choice::First) == MessageBoxes::Choice::Second) {
        return true;
    }
    for (const RecordField& checked : kRecordFields) {
        if (checked.field == problems.first().field) {
            QLineEdit* edit = EditOf(checked.member);
            edit->setFocus();
            edit->selectAll();
        }
    }
    return false;
}
