#include "bank/BankExport.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>
#include <array>

#include "bank/BudgetChecks.h"
#include "common/Cp1251.h"
#include "common/QuotedValue.h"
#include "common/SafeSave.h"
#include "common/StorableText.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "orders/OrderTexts.h"
#include "requisites/RequisiteChecks.h"
#include "requisites/RequisitesFile.h"

namespace BankExport {
namespace {

const QString kDocumentKind = QStringLiteral("Платежное поручение");

// An order that passed every check, with what the file needs of it.
struct CheckedOrder {
    OrderRow row;
    CRequisite payer;
    CRequisite recipient;
    QDate date;
    qint64 kopecks = 0;
};

// Line breaks would split a "key=value" line; other characters would come out as "?".
void CheckStorable(const QString& where, const QString& value, QStringList* reasons) {
    const UnstorableText found = FindUnstorableText(value);
    if (found.first >= 0) {
        reasons->append(QStringLiteral("%1 есть знаки, которые нельзя выгрузить: %2")
                            .arg(where, found.Names()));
    }
}

void CheckOrderFields(const OrderRow& row, QStringList* reasons) {
    for (int column = 0; column < kOrderFieldCount; ++column) {
        // Date and amount are read by their own rules and checked there.
        if (column != kColumnDate && column != kColumnAmount) {
            CheckStorable(QStringLiteral("в поле «%1»").arg(OrderFields::Caption(column)),
                          row[column], reasons);
        }
    }
}

void CheckParty(const CRequisite& party, const QString& whose, QStringList* reasons) {
    const std::array<std::pair<const QString*, const char16_t*>, 5> fields = {{
        {&party.m_strBank, u"Банк"},
        {&party.m_strInnKpp, u"ИНН/КПП"},
        {&party.m_strBik, u"БИК"},
        {&party.m_strAccount1, u"Счет1"},
        {&party.m_strAccount2, u"Счет2"},
    }};
    for (const auto& [value, caption] : fields) {
        CheckStorable(
            QStringLiteral("в реквизитах %1, в поле «%2»,").arg(whose, QString::fromUtf16(caption)),
            *value, reasons);
    }
}

// The reasons why the order cannot be exported; none when *checked is filled.
QStringList Check(const OrderRow& row, const CRequisiteArray& payers,
                  const CRequisiteArray& recipients, CheckedOrder* checked) {
    QStringList reasons;
    checked->row = row;
    const CRequisite* payer = FindRecord(payers, row[kColumnPayer]);
    if (payer) {
        checked->payer = *payer;
        CheckParty(*payer, QStringLiteral("плательщика"), &reasons);
    } else {
        reasons.append(RequisitesFile::NotInBookMessage(kPayersKind, row[kColumnPayer]));
    }
    const CRequisite* recipient = FindRecord(recipients, row[kColumnRecipient]);
    if (recipient) {
        checked->recipient = *recipient;
        CheckParty(*recipient, QStringLiteral("получателя"), &reasons);
    } else {
        reasons.append(RequisitesFile::NotInBookMessage(kRecipientsKind, row[kColumnRecipient]));
    }
    if (!OrderAmount::ParseKopecks(row[kColumnAmount], &checked->kopecks)) {
        reasons.append(OrderAmount::NotAnAmountMessage(row[kColumnAmount]));
    }
    checked->date = OrderTexts::DateFromText(row[kColumnDate]);
    if (!checked->date.isValid()) {
        reasons.append(QStringLiteral("неверная дата %1").arg(QuotedValue(row[kColumnDate])));
    }
    CheckOrderFields(row, &reasons);
    return reasons;
}

QString NumberWithoutBlanks(const QString& number) {
    QString text = number;
    text.remove(u' ');
    return text;
}

QString DateText(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString Line(const QString& key, const QString& value) {
    return key + u'=' + value;
}

// Numbers go to the bank as the checks read them: people copy them in groups of digits.
using RequisiteChecks::WithoutBlanks;

void AppendParty(const QString& prefix, const CRequisite& party, int nKind, QStringList* lines) {
    const auto [inn, kpp] = SplitInnKpp(party.m_strInnKpp);  // the record's one field
    const PartyAccounts accounts = AccountsOf(party, nKind);
    const QString own = WithoutBlanks(accounts.own);
    const QString named =
        inn.isEmpty() ? party.m_strName : QStringLiteral("ИНН %1 %2").arg(inn, party.m_strName);
    *lines << Line(prefix + QStringLiteral("Счет"), own)
           << Line(prefix + QStringLiteral("РасчСчет"), own) << Line(prefix, named)
           << Line(prefix + QStringLiteral("ИНН"), inn) << Line(prefix + QStringLiteral("КПП"), kpp)
           << Line(prefix + QStringLiteral("1"), party.m_strName)
           << Line(prefix + QStringLiteral("Банк1"), party.m_strBank)
           // The bank's name and town are one line in our address books.
           << Line(prefix + QStringLiteral("Банк2"), QString())
           << Line(prefix + QStringLiteral("БИК"), WithoutBlanks(party.m_strBik))
           << Line(prefix + QStringLiteral("Корсчет"), WithoutBlanks(accounts.correspondent));
}

// A field of the order under its key.
QString FieldLine(int column, const QString& value) {
    return Line(OrderFields::Of(column).ExportKey(), value);
}

// The term of payment as a date ДД.ММ.ГГГГ, or nothing: a reader in use refuses the whole file
// on any other text there. A term typed with blanks or one-digit days and months is that date.
QString TermDate(const QString& term) {
    static const QRegularExpression kDate(
        QStringLiteral("^\\s*(\\d{1,2})\\.\\s*(\\d{1,2})\\.(\\d{4})\\s*$"));
    const QRegularExpressionMatch match = kDate.match(term);
    const QDate date =
        match.hasMatch()
            ? QDate(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt())
            : QDate();
    return date.isValid() ? DateText(date) : QString();
}

void AppendSection(const CheckedOrder& order, QStringList* lines) {
    const OrderRow& row = order.row;
    *lines << Line(QStringLiteral("СекцияДокумент"), kDocumentKind)
           << FieldLine(kColumnNumber, NumberWithoutBlanks(row[kColumnNumber]))
           << FieldLine(kColumnDate, DateText(order.date))
           << FieldLine(kColumnAmount, OrderAmount::ExchangeText(order.kopecks));
    AppendParty(QStringLiteral("Плательщик"), order.payer, kPayersKind, lines);
    AppendParty(QStringLiteral("Получатель"), order.recipient, kRecipientsKind, lines);
    *lines << FieldLine(kColumnPaymentType, row[kColumnPaymentType])
           << FieldLine(kColumnPaymentKind, row[kColumnPaymentKind])
           << FieldLine(kColumnUin, row[kColumnUin]);
    // An older reader refuses the key, so it goes only where there is a code.
    if (!row[kColumnIncomeType].isEmpty()) {
        *lines << FieldLine(kColumnIncomeType, row[kColumnIncomeType]);
    }
    // Every document carries all the budget keys (101, 104–110), empty for an ordinary payment: a
    // reader in use refuses a document without them.
    for (int column = kColumnStatus; column <= kColumnTaxType; ++column) {
        *lines << FieldLine(column, row[column]);
    }
    *lines << FieldLine(kColumnPaymentTerm, TermDate(row[kColumnPaymentTerm]))
           << FieldLine(kColumnPriority, row[kColumnPriority])
           << FieldLine(kColumnBasis, row[kColumnBasis]) << QStringLiteral("КонецДокумента");
}

void AppendHeader(const QList<CheckedOrder>& orders, const QString& sender, const QDateTime& now,
                  QStringList* lines) {
    const auto [earliest, latest] = std::minmax_element(
        orders.begin(), orders.end(),
        [](const CheckedOrder& a, const CheckedOrder& b) { return a.date < b.date; });
    *lines << QStringLiteral("1CClientBankExchange")
           << Line(QStringLiteral("ВерсияФормата"), QStringLiteral("1.03"))
           << Line(QStringLiteral("Кодировка"), QStringLiteral("Windows"))
           << Line(QStringLiteral("Отправитель"), sender)
           << Line(QStringLiteral("Получатель"), QString())
           << Line(QStringLiteral("ДатаСоздания"), DateText(now.date()))
           << Line(QStringLiteral("ВремяСоздания"), now.time().toString(QStringLiteral("hh:mm:ss")))
           << Line(QStringLiteral("ДатаНачала"), DateText(earliest->date))
           << Line(QStringLiteral("ДатаКонца"), DateText(latest->date));
    // The accounts in the order they first appear.
    QStringList accounts;
    for (const CheckedOrder& order : orders) {
        const QString account = WithoutBlanks(AccountsOf(order.payer, kPayersKind).own);
        if (!account.isEmpty() && !accounts.contains(account)) {
            accounts.append(account);
            *lines << Line(QStringLiteral("РасчСчет"), account);
        }
    }
    *lines << Line(QStringLiteral("Документ"), kDocumentKind);
}

}  // namespace

Result Compose(const QList<OrderRow>& orders, const CRequisiteArray& payers,
               const CRequisiteArray& recipients, const QString& senderName,
               const QString& senderVersion, const QDateTime& now) {
    Result result;
    QList<CheckedOrder> checked;
    for (qsizetype i = 0; i < orders.size(); ++i) {
        CheckedOrder order;
        const QStringList reasons = Check(orders[i], payers, recipients, &order);
        if (reasons.isEmpty()) {
            checked.append(order);
        } else {
            result.refused.append(OrderRefusal::Of(i, orders[i], reasons));
        }
    }
    if (checked.isEmpty()) {
        return result;
    }
    const QString sender = (senderName + u' ' + senderVersion).trimmed();
    AppendHeader(checked, sender, now, &result.lines);
    for (const CheckedOrder& order : checked) {
        AppendSection(order, &result.lines);
    }
    result.lines << QStringLiteral("КонецФайла");
    result.exported = checked.size();
    return result;
}

bool WriteFile(const QString& path, const QStringList& lines, QString* error) {
    QString reason;
    return SafeSave::ReplaceFile(path, FileBytes(lines), error ? error : &reason);
}

QByteArray FileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += Cp1251::Encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace BankExport
