#include "requisites/CRequisitesDlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <limits>

#include "common/QuotedValue.h"
#include "common/RussianPlural.h"
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
// Wide enough for a treasury body's full name and its bank's, in dialog units; the dialog and its
// buttons widen from the template's 237 by what the fields gained.
constexpr int kEditWidth = 250;
constexpr int kWider = kEditWidth - 162;
// The account fields are narrower than the others, to leave room for what each holds.
constexpr int kAccountEditWidth = 98;
constexpr int kHintGap = 2;
constexpr double kHintFontScale = 0.85;

// What each account field holds in the book edited, beside the field.
QString AccountHint(int nKind, AccountMember member) {
    return member == OwnAccountMember(nKind)
               ? (nKind == kPayersKind ? QStringLiteral("счет плательщика")
                                       : QStringLiteral("счет получателя"))
               : QStringLiteral("корр. счет банка");
}

QString BankDetailsMessage(const QList<RequisiteChecks::Problem>& problems,
                           const QString& question) {
    QStringList lines;
    for (const QString& text : RequisiteChecks::Texts(problems)) {
        lines.append(QStringLiteral("• ") + text);
    }
    return QStringLiteral(
               "Реквизиты не проходят проверку банка:\n\n%1\n\nБанк может вернуть платеж с "
               "такими реквизитами. %2")
        .arg(lines.join(QLatin1Char('\n')), question);
}

QString BikCorrectionsMessage(const QString& bik, const BikDirectory& directory,
                              const QList<BikChecks::FieldValue>& corrections) {
    QStringList lines;
    for (const BikChecks::FieldValue& value : corrections) {
        lines.append(
            QStringLiteral("%1: %2 (в записи %3)")
                .arg(value.caption, QuotedValue(value.directory), QuotedValue(value.current)));
    }
    return QStringLiteral(
               "В %1 у БИК %2 другие реквизиты банка:\n\n%3\n\nИсправить их по "
               "справочнику?")
        .arg(BikChecks::DirectoryName(directory), bik, lines.join(QLatin1Char('\n')));
}

}  // namespace

CRequisitesDlg::CRequisitesDlg(QWidget* parent) : QDialog(parent), m_changes(this) {
    setWindowTitle(QStringLiteral("Реквизиты"));
    CreateControls();
    SetKind(m_nKind);
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
        units.Place(edit, 68, row.y, kEditWidth, 14);
        m_rows.append({caption->text(), row.member, edit});
    }
    for (const auto& [member, recordMember] :
         {std::pair(&CRequisitesDlg::m_strAccount1, &CRequisite::m_strAccount1),
          std::pair(&CRequisitesDlg::m_strAccount2, &CRequisite::m_strAccount2)}) {
        QLineEdit* edit = EditOf(member);
        edit->resize(units.X(kAccountEditWidth), edit->height());
        auto* hint = new QLabel(this);
        hint->setObjectName(QLatin1String(edit->objectName().toLatin1() + "Hint"));
        hint->setEnabled(false);  // drawn grey: a note on the field, not a field
        QFont small = hint->font();
        small.setPointSizeF(small.pointSizeF() * kHintFontScale);
        hint->setFont(small);
        hint->setGeometry(QRect(edit->geometry().right() + 1 + units.X(kHintGap), edit->y(),
                                units.X(kEditWidth - kAccountEditWidth - kHintGap),
                                edit->height()));
        m_accountHints.append({recordMember, hint});
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    units.Place(ok, 57 + kWider / 2, 105, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CRequisitesDlg::OnOK);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    units.Place(cancel, 129 + kWider / 2, 105, 50, 14);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(units.Size(237 + kWider, 126));
}

void CRequisitesDlg::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CRequisitesDlg::SetRecord(const CRequisite& record) {
    for (const RecordField& field : kRecordFields) {
        this->*field.member = record.*field.recordMember;
    }
}

CRequisite CRequisitesDlg::Record() const {
    CRequisite record;
    for (const RecordField& field : kRecordFields) {
        record.*field.recordMember = this->*field.member;
    }
    return record;
}

void CRequisitesDlg::SetOrdersOfParty(const OrdersOfParty& orders) {
    m_orders = orders;
}

void CRequisitesDlg::SetKind(int nKind) {
    m_nKind = nKind;
    for (const auto& [member, hint] : m_accountHints) {
        hint->setText(AccountHint(nKind, member));
    }
}

void CRequisitesDlg::OnInitDialog() {
    for (const Row& row : m_rows) {
        row.edit->setText(this->*row.member);
        row.edit->setCursorPosition(0);  // a long text shows its beginning
    }
    m_rows.first().edit->setFocus();
    m_changes.Remember();
}

void CRequisitesDlg::reject() {
    if (m_changes.ConfirmDiscard(
            QStringLiteral("Реквизиты изменены. Закрыть окно без сохранения?"))) {
        QDialog::reject();
    }
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
    AskRenameInOrders();
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

void CRequisitesDlg::AskRenameInOrders() {
    const QString oldName = m_strName;
    const QString newName = EditOf(&CRequisitesDlg::m_strName)->text();
    m_bRenameInOrders = false;
    if (!m_orders || newName == oldName) {
        return;
    }
    const QList<PartyOrder> named = m_orders.named(oldName);
    QList<PartyOrder> toRename;
    QList<PartyOrder> sent;
    for (const PartyOrder& order : named) {
        (order.sent ? sent : toRename).append(order);
    }
    if (named.isEmpty()) {
        return;
    }
    const QString names = QStringLiteral("%1 → %2").arg(QuotedValue(oldName), QuotedValue(newName));
    // The bank has the orders it was sent under the old name: its statement names them so.
    const QString sentNote =
        sent.isEmpty() ? QString()
                       : QStringLiteral(
                             "\n\nОтправленные в банк (%1) сохранят наименование, под которым "
                             "их получил банк.")
                             .arg(PartyOrdersText(sent, true));
    if (toRename.isEmpty()) {
        MessageBoxes::ShowDone(this, names + sentNote);
        return;
    }
    const int count = int(toRename.size());
    // Enter keeps the orders as they are: renaming them is the step that changes other files.
    const QString question = QStringLiteral("%1\n\nПереименовать также в %2 %3 (%4)?%5")
                                 .arg(names, QString::number(count),
                                      RussianPlural(count, QStringLiteral("платежном поручении"),
                                                    QStringLiteral("платежных поручениях"),
                                                    QStringLiteral("платежных поручениях")),
                                      PartyOrdersText(toRename, true), sentNote);
    m_bRenameInOrders = MessageBoxes::AskYesNo(this, question, MessageBoxes::Answer::No);
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
    const QString bik = RequisiteChecks::WithoutBlanks(record.m_strBik);
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
    const QList<RequisiteChecks::Problem> problems =
        BikChecks::CheckAll(TypedRecord(), m_nKind, m_bikDirectory);
    if (problems.isEmpty()) {
        return true;
    }
    if (RequisiteChecks::HasSwappedAccounts(problems) && OfferToSwapAccounts(problems)) {
        return false;
    }
    if (!MessageBoxes::AskCorrect(this, QStringLiteral("Проверка реквизитов"),
                                  BankDetailsMessage(problems, QString()).trimmed())) {
        return true;
    }
    // The problems come in the order of the fields, so the first is on the topmost field.
    const RequisiteChecks::Field first = problems.first().field == RequisiteChecks::Field::Accounts
                                             ? RequisiteChecks::Field::Account1
                                             : problems.first().field;
    for (const RecordField& checked : kRecordFields) {
        if (checked.field == first) {
            QLineEdit* edit = EditOf(checked.member);
            edit->setFocus();
            edit->selectAll();
        }
    }
    return false;
}

bool CRequisitesDlg::OfferToSwapAccounts(const QList<RequisiteChecks::Problem>& problems) {
    if (MessageBoxes::AskChoice(
            this, QStringLiteral("Проверка реквизитов"),
            BankDetailsMessage(problems, QStringLiteral("Поменять Счет1 и Счет2 местами?")),
            QStringLiteral("Поменять местами"), QStringLiteral("Не менять"),
            MessageBoxes::Choice::First) == MessageBoxes::Choice::Second) {
        return false;
    }
    QLineEdit* account1 = EditOf(&CRequisitesDlg::m_strAccount1);
    QLineEdit* account2 = EditOf(&CRequisitesDlg::m_strAccount2);
    const QString text1 = account1->text();
    account1->setText(account2->text());
    account2->setText(text1);
    // The dialog stays open, so that the user sees the accounts in their new places.
    account1->setFocus();
    account1->selectAll();
    return true;
}
