#include "orders/COrderDlg.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <limits>

#include "form/FormPlaces.h"
#include "orders/OrderAmount.h"
#include "orders/OrderTexts.h"
#include "orders/PartyChecks.h"
#include "requisites/AddressBook.h"
#include "requisites/RequisitesFile.h"
#include "widgets/DialogUnits.h"
#include "widgets/FieldChecks.h"
#include "widgets/MessageBoxes.h"

namespace {

constexpr int kPaymentKindLength = 2;

// Positions and sizes in dialog units.
struct Box {
    int x, y, width, height;
};

QListWidget* MakeNameList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return list;
}

void FillNames(QListWidget* list, const CRequisiteArray& requisites) {
    for (const CRequisite& requisite : requisites) {
        list->addItem(requisite.m_strName);
    }
}

}  // namespace

const COrderDlg::TextField COrderDlg::kTextFields[6] = {
    {kColumnAmount, &COrderDlg::m_strAmount, &COrderDlg::m_editAmount, u"Сумма", u"Напишите сумму",
     FormField::Amount},
    {kColumnBasis, &COrderDlg::m_strBasis, &COrderDlg::m_editBasis, u"Основание",
     u"Напишите основание", FormField::Basis},
    {kColumnPriority, &COrderDlg::m_strPriority, &COrderDlg::m_editPriority, u"Очередность платежа",
     u"Напишите очередность оплаты", FormField::Priority},
    {kColumnPaymentTerm, &COrderDlg::m_strPaymentTerm, &COrderDlg::m_editPaymentTerm,
     u"Срок платежа", u"Напишите срок платежа", FormField::PaymentTerm},
    {kColumnPaymentType, &COrderDlg::m_strPaymentType, &COrderDlg::m_editPaymentType,
     u"Вид платежа", u"Напишите вид платежа", FormField::PaymentType},
    {kColumnPaymentKind, &COrderDlg::m_strPaymentKind, &COrderDlg::m_editPaymentKind, u"Вид оплаты",
     u"Напишите вид оплаты", FormField::PaymentKind},
};

COrderDlg::COrderDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Платежное поручение"));
    CreateControls();
}

COrderDlg::~COrderDlg() = default;

void COrderDlg::CreateControls() {
    const DialogUnits units(font());
    // A label may grow to the right up to its control when the desktop font needs more room for
    // it than the layout gives.
    auto label = [&](const QString& text, Box box, int controlX) {
        auto* widget = new QLabel(text, this);
        QRect rect = units.Rect(box.x, box.y, box.width, box.height);
        const int room = units.X(controlX) - rect.left() - units.X(1);
        rect.setWidth(qMax(rect.width(), qMin(widget->sizeHint().width(), room)));
        widget->setGeometry(rect);
    };
    auto edit = [&](const char* name, Box box) {
        auto* widget = new QLineEdit(this);
        widget->setObjectName(QLatin1String(name));
        widget->setMaxLength(std::numeric_limits<int>::max());  // a long field is never cut
        units.Place(widget, box.x, box.y, box.width, box.height);
        return widget;
    };

    // Created in tab order, each control after its label.
    label(QStringLiteral("Номер"), {7, 9, 38, 8}, 55);
    m_editNumber = edit("number", {55, 7, 49, 14});

    label(QStringLiteral("Дата"), {119, 8, 29, 8}, 150);
    m_dateEdit = new QDateEdit(this);
    m_dateEdit->setObjectName(QStringLiteral("date"));
    m_dateEdit->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    m_dateEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_dateEdit->setCalendarPopup(true);
    m_dateEdit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    units.Place(m_dateEdit, 150, 7, 55, 15);
    m_dateEdit->calendarWidget()->window()->installEventFilter(this);

    label(QStringLiteral("Получатель"), {7, 35, 44, 8}, 55);
    m_lbRecipients = MakeNameList(this, "recipients");
    units.Place(m_lbRecipients, 55, 31, 150, 19);

    label(QStringLiteral("Плательщик"), {7, 64, 44, 8}, 55);
    m_lbPayers = MakeNameList(this, "payers");
    units.Place(m_lbPayers, 55, 59, 150, 19);

    label(QStringLiteral("Сумма"), {7, 89, 44, 8}, 55);
    m_editAmount = edit("amount", {55, 87, 150, 14});
    label(QStringLiteral("Основание"), {7, 109, 44, 8}, 55);
    m_editBasis = edit("basis", {55, 106, 150, 14});
    label(QStringLiteral("Вид оплаты"), {7, 130, 40, 8}, 55);
    m_editPaymentKind = edit("paymentKind", {55, 128, 13, 14});
    // No third character can be typed; a longer kind read from a file is still shown whole, so
    // that OK can refuse it rather than cut it. It may only be shortened.
    m_editPaymentKind->setMaxLength(kPaymentKindLength);
    connect(m_editPaymentKind, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_editPaymentKind->setMaxLength(qMax(kPaymentKindLength, int(text.size())));
    });
    label(QStringLiteral("Срок платежа"), {79, 130, 48, 8}, 134);
    m_editPaymentTerm = edit("paymentTerm", {134, 128, 71, 14});
    label(QStringLiteral("Вид платежа"), {7, 148, 44, 8}, 55);
    m_editPaymentType = edit("paymentType", {55, 146, 150, 14});
    label(QStringLiteral("Очередность платежа"), {7, 167, 76, 8}, 89);
    m_editPriority = edit("priority", {89, 164, 116, 14});

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    units.Place(ok, 35, 186, 50, 14);
    connect(ok, &QPushButton::clicked, this, &COrderDlg::OnOK);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    units.Place(cancel, 124, 186, 50, 14);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(units.Size(212, 207));
}

bool COrderDlg::eventFilter(QObject* watched, QEvent* event) {
    // The calendar drops down under the date, aligned to its right edge, so that it stays over
    // the dialog rather than hanging out to its right.
    QWidget* popup = m_dateEdit->calendarWidget()->window();
    if (watched == popup && event->type() == QEvent::Show) {
        const QPoint bottomRight = m_dateEdit->mapToGlobal(m_dateEdit->rect().bottomRight());
        popup->move(bottomRight.x() - popup->width() + 1, bottomRight.y() + 1);
    }
    return QDialog::eventFilter(watched, event);
}

void COrderDlg::SetRow(const OrderRow& row) {
    m_bFromRow = true;
    m_nNumber = row.Number();
    const QDate date = OrderTexts::DateFromText(row[kColumnDate]);
    m_date = date.isValid() ? date : QDate::currentDate();
    m_strPayer = row[kColumnPayer];
    m_strRecipient = row[kColumnRecipient];
    for (const TextField& field : kTextFields) {
        this->*field.member = row[field.column];
    }
}

OrderRow COrderDlg::Row() const {
    OrderRow row;
    row[kColumnNumber] = OrderTexts::NumberText(m_nNumber);
    row[kColumnDate] = OrderTexts::DateText(m_date);
    row[kColumnPayer] = m_strPayer;
    row[kColumnRecipient] = m_strRecipient;
    for (const TextField& field : kTextFields) {
        row[field.column] = this->*field.member;
    }
    return row;
}

void COrderDlg::SetNumberTakenCheck(std::function<bool(int)> isTaken) {
    m_isNumberTaken = std::move(isTaken);
}

bool COrderDlg::UpdateData(bool saveAndValidate) {
    if (!saveAndValidate) {
        m_editNumber->setText(QString::number(m_nNumber));
        m_dateEdit->setDate(m_date.isValid() ? m_date : QDate::currentDate());
        // A longer kind of payment read from a file is shown whole, to be refused at OK rather
        // than cut; no more than the limit can be typed.
        m_editPaymentKind->setMaxLength(qMax(kPaymentKindLength, int(m_strPaymentKind.size())));
        for (const TextField& field : kTextFields) {
            (this->*field.edit)->setText(this->*field.member);
        }
        // Long texts show their beginning, as they are read.
        for (QLineEdit* edit : findChildren<QLineEdit*>()) {
            edit->setCursorPosition(0);
        }
        return true;
    }
    // A number that is not whole, or too big for the number of an order, is refused outright.
    if (!OrderTexts::ParseWholeNumber(m_editNumber->text(), &m_nNumber)) {
        MessageBoxes::ShowNotice(this, QStringLiteral("Введите целое число."));
        m_editNumber->setFocus();
        m_editNumber->selectAll();
        return false;
    }
    m_date = m_dateEdit->date();
    if (m_editPaymentKind->text().size() > kPaymentKindLength) {
        MessageBoxes::ShowNotice(
            this, QStringLiteral("Введите не более %1 знаков.").arg(kPaymentKindLength));
        m_editPaymentKind->setFocus();
        return false;
    }
    for (const TextField& field : kTextFields) {
        this->*field.member = (this->*field.edit)->text();
    }
    return true;
}

int COrderDlg::exec() {
    if (!m_bInitialised) {
        OnInitDialog();
    }
    return QDialog::exec();
}

bool COrderDlg::OnInitDialog() {
    m_bInitialised = true;
    UpdateData(false);
    QStringList notices;
    LoadNames(&notices);
    if (!notices.isEmpty()) {
        // Told over the dialog once it is up, not before it in a corner of the screen.
        QMetaObject::invokeMethod(
            this,
            [this, notices] {
                for (const QString& notice : notices) {
                    MessageBoxes::ShowError(this, notice);
                }
            },
            Qt::QueuedConnection);
    }
    return true;
}

void COrderDlg::LoadNames(QStringList* notices) {
    // Read only: the order dialog never writes an address book.
    using RequisitesFile::kPayersKind;
    using RequisitesFile::kRecipientsKind;
    AddressBook recipients(RequisitesFile::FileName(kRecipientsKind));
    AddressBook payers(RequisitesFile::FileName(kPayersKind));
    for (AddressBook* book : {&recipients, &payers}) {
        if (book->Load() == AddressBook::Outcome::Unreadable) {
            notices->append(RequisitesFile::CannotReadMessage());
        }
    }
    m_lbRecipients->clear();
    m_lbPayers->clear();
    FillNames(m_lbRecipients, recipients.Records());
    FillNames(m_lbPayers, payers.Records());
    m_recipientRecords = recipients.Records();
    m_payerRecords = payers.Records();

    if (m_bFromRow) {
        if (!SelectName(m_lbPayers, m_strPayer)) {
            notices->append(QStringLiteral("Плательщик не обнаружен"));
        }
        if (!SelectName(m_lbRecipients, m_strRecipient)) {
            notices->append(QStringLiteral("Получатель не обнаружен"));
        }
    }
}

bool COrderDlg::SelectName(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == name) {
            list->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

QString COrderDlg::FirstMissingField() const {
    if (m_nNumber <= 0) {
        return QStringLiteral("Ошибка в номере платежки");
    }
    if (m_lbPayers->selectedItems().isEmpty()) {
        return QStringLiteral("Выделите плательщика");
    }
    if (m_lbRecipients->selectedItems().isEmpty()) {
        return QStringLiteral("Выделите получателя");
    }
    for (const TextField& field : kTextFields) {
        if ((this->*field.member).isEmpty()) {  // a text of blanks counts as written
            return QString::fromUtf16(field.missing);
        }
    }
    return QString();
}

bool COrderDlg::CheckSavableText() {
    for (const TextField& field : kTextFields) {
        if (RefuseUnstorableField(this->*field.edit, QString::fromUtf16(field.caption),
                                  QStringLiteral("платежке"))) {
            return false;
        }
    }
    return true;
}

void COrderDlg::TellFaultyParties() {
    QList<PartyChecks::FaultyParty> untold;
    const QList<PartyChecks::FaultyParty> faulty =
        PartyChecks::Check(m_lbPayers->selectedItems().constFirst()->text(), m_payerRecords,
                           m_lbRecipients->selectedItems().constFirst()->text(), m_recipientRecords,
                           BikDirectory::Kept());
    for (const PartyChecks::FaultyParty& party : faulty) {
        const QPair<int, QString> key(party.nKind, party.name);
        if (!m_toldParties.contains(key)) {
            m_toldParties.append(key);
            untold.append(party);
        }
    }
    if (!untold.isEmpty()) {
        MessageBoxes::ShowWarning(this, QStringLiteral("Проверка реквизитов"),
                                  PartyChecks::Message(untold));
    }
}

bool COrderDlg::CheckAmount() {
    qint64 kopecks = 0;
    if (OrderAmount::ParseKopecks(m_strAmount, &kopecks)) {
        return true;
    }
    const QString largest =
        QLocale(QLocale::Russian, QLocale::Russia).toString(OrderAmount::kMaxKopecks / 100) +
        QStringLiteral(",%1").arg(OrderAmount::kMaxKopecks % 100, 2, 10, QLatin1Char('0'));
    MessageBoxes::ShowError(
        this, QStringLiteral("Неверная сумма: «%1».\nНапишите сумму больше нуля и не больше %2 "
                             "руб., копейки не более чем двумя цифрами: например, 1234,56, "
                             "1\u00A0234,56, 1234.56, 1234-56 или 1234.")
                  .arg(m_strAmount, largest));
    m_editAmount->setFocus();
    m_editAmount->selectAll();
    return false;
}

bool COrderDlg::ConfirmTextsFitForm() {
    for (const TextField& field : kTextFields) {
        const QLineEdit* edit = this->*field.edit;
        if (!ConfirmFieldFitsForm(this->*field.edit, QString::fromUtf16(field.caption),
                                  FormPlaces::ShownChars(field.formField, edit->text()))) {
            return false;
        }
    }
    return true;
}

bool COrderDlg::ConfirmReplacement() {
    if (!m_isNumberTaken || !m_isNumberTaken(m_nNumber)) {
        return true;
    }
    // Enter must not replace another order.
    if (MessageBoxes::AskYesNo(
            this, QStringLiteral("Платежное поручение № %1 уже есть. Заменить его?").arg(m_nNumber),
            MessageBoxes::Answer::No)) {
        return true;
    }
    m_editNumber->setFocus();
    m_editNumber->selectAll();
    return false;
}

void COrderDlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    const QString missing = FirstMissingField();
    if (!missing.isEmpty()) {
        MessageBoxes::ShowError(this, missing);
        return;
    }
    TellFaultyParties();
    if (!CheckSavableText() || !CheckAmount() || !ConfirmTextsFitForm() || !ConfirmReplacement()) {
        return;
    }
    m_strRecipient = m_lbRecipients->selectedItems().constFirst()->text();
    m_strPayer = m_lbPayers->selectedItems().constFirst()->text();
    accept();
}
