#include "bank/BankExport.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <array>

#include "bank/BudgetChecks.h"
#include "bank/BudgetPayment.h"
#include "bank/OrderChecks.h"
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

// The first record of each name in a book, as FindRecord finds it, without reading the whole
// book again for every order of a large export.
class RecordIndex {
public:
    explicit RecordIndex(const CRequisiteArray& records) {
        for (qsizetype i = records.size() - 1; i >= 0; --i) {
            m_places.insert(records[i].m_strName, i);
        }
    }
    qsizetype Find(const QString& name) const { return m_places.value(name, -1); }

private:
    QHash<QString, qsizetype> m_places;
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

// The party's own account would go to the bank as its bank's, and the other way round.
void CheckAccounts(const CRequisite& party, int nKind, const QString& whose, QStringList* reasons) {
    for (const RequisiteChecks::Problem& problem : RequisiteChecks::Check(party, nKind)) {
        if (problem.field == RequisiteChecks::Field::Accounts) {
            reasons->append(QStringLiteral("в реквизитах %1 %2").arg(whose, problem.text));
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
QStringList Check(const OrderRow& row, const CRequisiteArray& payers, const RecordIndex& payerIndex,
                  const CRequisiteArray& recipients, const RecordIndex& recipientIndex,
                  CheckedOrder* checked) {
    QStringList reasons;
    checked->payer = payerIndex.Find(row[kColumnPayer]);
    if (checked->payer >= 0) {
        CheckParty(payers[checked->payer], QStringLiteral("плательщика"), &reasons);
        CheckAccounts(payers[checked->payer], kPayersKind, QStringLiteral("плательщика"), &reasons);
    } else {
        reasons.append(RequisitesFile::NotInBookMessage(kPayersKind, row[kColumnPayer]));
    }
    checked->recipient = recipientIndex.Find(row[kColumnRecipient]);
    if (checked->recipient >= 0) {
        CheckParty(recipients[checked->recipient], QStringLiteral("получателя"), &reasons);
        CheckAccounts(recipients[checked->recipient], kRecipientsKind, QStringLiteral("получателя"),
                      &reasons);
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
    // In the words of the check, which names them too.
    reasons.append(OrderChecks::MalformedFields(
        row, checked->recipient >= 0 ? &recipients[checked->recipient] : nullptr));
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

// The payer's KPP as the order carries it, "0" for a payment to the budget by one who has none.
void AppendParty(const QString& prefix, const CRequisite& party, int nKind, const OrderRow& row,
                 QStringList* lines) {
    auto [inn, kpp] = SplitInnKpp(party.m_strInnKpp);  // the record's one field
    if (nKind == kPayersKind) {
        kpp = BudgetPayment::PayerKpp(row, kpp);
    }
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

void AppendSection(const OrderRow& row, const CheckedOrder& order, const CRequisite& payer,
                   const CRequisite& recipient, QStringList* lines) {
    *lines << Line(QStringLiteral("СекцияДокумент"), kDocumentKind)
           << FieldLine(kColumnNumber, NumberWithoutBlanks(row[kColumnNumber]))
           << FieldLine(kColumnDate, DateText(order.date))
           << FieldLine(kColumnAmount, OrderAmount::ExchangeText(order.kopecks));
    AppendParty(QStringLiteral("Плательщик"), payer, kPayersKind, row, lines);
    AppendParty(QStringLiteral("Получатель"), recipient, kRecipientsKind, row, lines);
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
           << FieldLine(kColumnPriority, row[kColumnPriority].trimmed())
           << FieldLine(kColumnBasis, row[kColumnBasis]) << QStringLiteral("КонецДокумента");
}

void AppendHeader(const QList<CheckedOrder>& orders, const CRequisiteArray& payers,
                  const QString& sender, const QDateTime& now, QStringList* lines) {
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
        const QString account = WithoutBlanks(AccountsOf(payers[order.payer], kPayersKind).own);
        if (!account.isEmpty() && !accounts.contains(account)) {
            accounts.append(account);
            *lines << Line(QStringLiteral("РасчСчет"), account);
        }
    }
    *lines << Line(QStringLiteral("Документ"), kDocumentKind);
}

}  // namespace

Checked CheckOrders(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                    const CRequisiteArray& recipients) {
    Checked checked;
    const RecordIndex payerIndex(payers);
    const RecordIndex recipientIndex(recipients);
    for (qsizetype i = 0; i < orders.size(); ++i) {
        CheckedOrder order;
        order.order = i;
        const QStringList reasons =
            Check(orders[i], payers, payerIndex, recipients, recipientIndex, &order);
        if (reasons.isEmpty()) {
            checked.orders.append(order);
        } else {
            checked.refused.append(OrderRefusal::Of(i, orders[i], reasons));
        }
    }
    return checked;
}

QString Sender(const QString& name, const QString& version) {
    return (name + u' ' + version).trimmed();
}

bool WriteLines(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                const CRequisiteArray& recipients, const QList<CheckedOrder>& checked,
                const QString& sender, const QDateTime& now, const LineSink& sink) {
    if (checked.isEmpty()) {
        return true;
    }
    const auto send = [&sink](const QStringList& lines) {
        return std::all_of(lines.begin(), lines.end(), sink);
    };
    QStringList lines;
    AppendHeader(checked, payers, sender, now, &lines);
    if (!send(lines)) {
        return false;
    }
    for (const CheckedOrder& order : checked) {
        lines.clear();
        AppendSection(orders[order.order], order, payers[order.payer], recipients[order.recipient],
                      &lines);
        if (!send(lines)) {
            return false;
        }
    }
    return sink(QStringLiteral("КонецФайла"));
}

Result Compose(const QList<OrderRow>& orders, const CRequisiteArray& payers,
               const CRequisiteArray& recipients, const QString& senderName,
               const QString& senderVersion, const QDateTime& now) {
    Checked checked = CheckOrders(orders, payers, recipients);
    Result result;
    result.refused = std::move(checked.refused);
    result.exported = checked.orders.size();
    WriteLines(orders, payers, recipients, checked.orders, Sender(senderName, senderVersion), now,
               [&result](const QString& line) {
                   result.lines.append(line);
                   return true;
               });
    return result;
}

bool WriteFile(const QString& path, const QStringList& lines, QString* error) {
    QString reason;
    return SafeSave::ReplaceFile(path, FileBytes(lines), error ? error : &reason);
}

QByteArray FileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        AppendLineBytes(line, &bytes);
    }
    return bytes;
}

void AppendLineBytes(const QString& line, QByteArray* bytes) {
    const qsizetype at = bytes->size();
    bytes->resize(at + line.size());
    // Every character of an exported line is one the code page has (the checks saw to it); the
    // table converts a large file many times quicker than a converter made for each line.
    if (!Cp1251::EncodeInto(line.constData(), line.size(), bytes->data() + at)) {
        bytes->truncate(at);
        *bytes += Cp1251::Encode(line);
    }
    *bytes += "\r\n";
}

}  // namespace BankExport
