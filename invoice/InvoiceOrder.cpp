#include "invoice/InvoiceOrder.h"

#include <QRegularExpression>
#include <algorithm>

#include "bank/BudgetPayment.h"
#include "common/QuotedValue.h"
#include "orders/OrderAmount.h"
#include "orders/OrderFields.h"
#include "requisites/BikChecks.h"

namespace {

using RequisiteChecks::WithoutBlanks;

// The code's keys of the fields of a payment to the budget, and of Код. One writer spells the
// payment type TaxPayKind.
struct BudgetKey {
    const char* key;
    int column;
};
const BudgetKey kBudgetKeys[] = {
    {"DrawerStatus", kColumnStatus}, {"CBC", kColumnKbk},
    {"OKTMO", kColumnOktmo},         {"PaytReason", kColumnTaxBasis},
    {"TaxPeriod", kColumnTaxPeriod}, {"DocNo", kColumnTaxDocNumber},
    {"DocDate", kColumnTaxDocDate},  {"TaxPaytKind", kColumnTaxType},
    {"TaxPayKind", kColumnTaxType},  {"UIN", kColumnUin},
};

// Codes that are numbers are taken without the blanks a writer may group them with.
bool IsNumberColumn(int column) {
    return column == kColumnKbk || column == kColumnOktmo || column == kColumnUin;
}

QString Value(const PaymentCode& code, const char* key) {
    return code.Value(QString::fromLatin1(key));
}

bool AllDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A bill's period as the code writes it, "0120" (month and year), as a reader reads it:
// "01.2020". Anything else stays as written.
QString PeriodText(const QString& period) {
    static const QRegularExpression kMonthYear(QStringLiteral("^(0[1-9]|1[0-2])(\\d\\d|\\d{4})$"));
    const QRegularExpressionMatch match = kMonthYear.match(period);
    if (!match.hasMatch()) {
        return period;
    }
    const QString year = match.captured(2);
    return match.captured(1) + u'.' + (year.size() == 2 ? QStringLiteral("20") + year : year);
}

// A utility bill names no purpose but the payer's account with the supplier and the period it
// pays for: "Оплата по лицевому счету № 1234567 за 01.2020".
QString PurposeOfBill(const QString& account, const QString& period) {
    QString purpose = QStringLiteral("Оплата");
    if (!account.isEmpty()) {
        purpose += QStringLiteral(" по лицевому счету № ") + account;
    }
    if (!period.isEmpty()) {
        purpose += QStringLiteral(" за ") + PeriodText(period);
    }
    return purpose;
}

class Filler {
public:
    Filler(const PaymentCode& code, InvoiceOrder* result) : m_code(code), m_result(*result) {}

    void TakeRecipient() {
        CRequisite& record = m_result.recipient;
        record.m_strName = Value(m_code, "Name");
        record.m_strBank = Value(m_code, "BankName");
        record.m_strBik = WithoutBlanks(Value(m_code, "BIC"));
        record.*OwnAccountMember(kRecipientsKind) = WithoutBlanks(Value(m_code, "PersonalAcc"));
        const QString correspondent = WithoutBlanks(Value(m_code, "CorrespAcc"));
        // "0" stands for a correspondent account the payer's bank is to find.
        record.*CorrespondentAccountMember(kRecipientsKind) =
            correspondent == QLatin1String("0") ? QString() : correspondent;
        const QString inn = WithoutBlanks(Value(m_code, "PayeeINN"));
        const QString kpp = WithoutBlanks(Value(m_code, "KPP"));
        record.m_strInnKpp = kpp.isEmpty() ? inn : inn + u'/' + kpp;
        m_result.fromCode << QStringLiteral("получатель") << QStringLiteral("счет");
        Taken(!inn.isEmpty(), QStringLiteral("ИНН"));
        Taken(!kpp.isEmpty(), QStringLiteral("КПП"));
        m_result.fromCode << QStringLiteral("банк") << QStringLiteral("БИК");
        Taken(!correspondent.isEmpty() && correspondent != QLatin1String("0"),
              QStringLiteral("корр. счет"));
        m_result.payerInn = WithoutBlanks(Value(m_code, "PayerINN"));
    }

    // The directory's bank and correspondent account replace the code's where it holds the BIK.
    void TakeFromDirectory(const BikDirectory& directory) {
        CRequisite& record = m_result.recipient;
        const BikDirectory::Participant* participant =
            directory.IsEmpty() ? nullptr : directory.Find(record.m_strBik);
        if (!participant) {
            return;
        }
        record.m_strBank = BikDirectory::BankText(*participant);
        m_result.fromCode.removeOne(QStringLiteral("банк"));
        m_result.fromDirectory << QStringLiteral("банк");
        const QString given = BikDirectory::CorrespondentAccount(*participant);
        QString& account = record.*CorrespondentAccountMember(kRecipientsKind);
        if (given.isEmpty()) {
            return;
        }
        if (!account.isEmpty() && account != given) {
            m_result.notes << QStringLiteral("Корр. счет взят таким, как в %1: %2, а в QR-коде %3.")
                                  .arg(BikChecks::DirectoryName(directory), given, account);
        }
        account = given;
        m_result.fromCode.removeOne(QStringLiteral("корр. счет"));
        m_result.fromDirectory << QStringLiteral("корр. счет");
    }

    void TakeAmount() {
        const QString sum = WithoutBlanks(Value(m_code, "Sum"));
        qint64 kopecks = 0;
        if (sum.isEmpty()) {
            return;
        }
        if (!AllDigits(sum) || sum.size() > 18) {
            m_result.notes << QStringLiteral(
                                  "Сумма в QR-коде %1 — не число копеек: впишите сумму сами.")
                                  .arg(QuotedValue(sum));
            return;
        }
        kopecks = sum.toLongLong();
        if (kopecks > OrderAmount::kMaxKopecks) {
            m_result.notes << QStringLiteral(
                                  "Сумма в QR-коде, %1 коп., больше той, что пишет платежное "
                                  "поручение: впишите сумму сами.")
                                  .arg(sum);
            return;
        }
        if (kopecks > 0) {  // a code that leaves the sum to the payer writes 0
            m_result.order[kColumnAmount] = OrderAmount::TypedText(kopecks);
            m_result.fromCode << QStringLiteral("сумма");
        }
    }

    void TakePurpose() {
        QString& purpose = m_result.order[kColumnBasis];
        purpose = Value(m_code, "Purpose");
        if (!purpose.isEmpty()) {
            m_result.fromCode << QStringLiteral("основание");
            return;
        }
        const QString account = Value(m_code, "PersAcc");
        const QString period = Value(m_code, "PaymPeriod");
        if (!account.isEmpty() || !period.isEmpty()) {
            purpose = PurposeOfBill(account, period);
            m_result.fromCode << QStringLiteral("основание (по лицевому счету и периоду)");
        }
    }

    void TakeBudgetFields() {
        OrderRow& order = m_result.order;
        for (const BudgetKey& key : kBudgetKeys) {
            const QString value = Value(m_code, key.key);
            if (value.isEmpty() || !order[key.column].isEmpty()) {
                continue;
            }
            order[key.column] = IsNumberColumn(key.column) ? WithoutBlanks(value) : value;
            m_result.fromCode << OrderFields::Caption(key.column);
            if (key.column == kColumnTaxType) {
                m_result.notes << QStringLiteral(
                                      "Тип платежа (110) %1 взят из QR-кода, но это поле больше "
                                      "не заполняют: проверьте, нужно ли оно.")
                                      .arg(QuotedValue(value));
            }
        }
        m_result.budgetPayment =
            order.HasBudgetFields() ||
            BudgetPayment::IsTreasuryAccount(AccountsOf(m_result.recipient, kRecipientsKind).own);
    }

    void NameMissing() {
        const CRequisite& record = m_result.recipient;
        Missing(SplitInnKpp(record.m_strInnKpp).inn.isEmpty(), QStringLiteral("ИНН"));
        Missing(AccountsOf(record, kRecipientsKind).correspondent.isEmpty(),
                QStringLiteral("корр. счет"));
        Missing(m_result.order[kColumnAmount].isEmpty(), QStringLiteral("сумма"));
        Missing(m_result.order[kColumnBasis].isEmpty(), QStringLiteral("основание"));
    }

private:
    void Taken(bool taken, const QString& what) {
        if (taken) {
            m_result.fromCode << what;
        }
    }
    void Missing(bool missing, const QString& what) {
        if (missing) {
            m_result.missing << what;
        }
    }

    const PaymentCode& m_code;
    InvoiceOrder& m_result;
};

}  // namespace

InvoiceOrder InvoiceOrder::FromCode(const PaymentCode& code, const CRequisiteArray& recipients,
                                    const BikDirectory& directory) {
    InvoiceOrder result;
    Filler filler(code, &result);
    filler.TakeRecipient();
    filler.TakeFromDirectory(directory);
    filler.TakeAmount();
    filler.TakePurpose();
    filler.TakeBudgetFields();
    filler.NameMissing();
    result.problems = BikChecks::CheckAll(result.recipient, kRecipientsKind, directory);
    result.bookIndex = FindRecipient(recipients, result.recipient);
    result.order[kColumnRecipient] = result.bookIndex >= 0
                                         ? recipients.at(result.bookIndex).m_strName
                                         : result.recipient.m_strName;
    return result;
}

int InvoiceOrder::FindRecipient(const CRequisiteArray& records, const CRequisite& fromCode) {
    const QString inn = SplitInnKpp(fromCode.m_strInnKpp).inn;
    const QString account = WithoutBlanks(AccountsOf(fromCode, kRecipientsKind).own);
    const QString bik = WithoutBlanks(fromCode.m_strBik);
    if (account.isEmpty() || (inn.isEmpty() && BudgetPayment::IsTreasuryAccount(account))) {
        return -1;
    }
    int found = -1;
    for (int i = 0; i < records.size(); ++i) {
        const CRequisite& record = records.at(i);
        if (WithoutBlanks(AccountsOf(record, kRecipientsKind).own) != account) {
            continue;
        }
        if (!inn.isEmpty()) {
            if (SplitInnKpp(record.m_strInnKpp).inn == inn) {
                return i;
            }
        } else if (WithoutBlanks(record.m_strBik) == bik) {
            if (found >= 0) {
                return -1;  // two records hold the account: the INN would have told them apart
            }
            found = i;
        }
    }
    return found;
}

QString InvoiceOrder::PayerInnNote(const CRequisite& payer) const {
    const QString inn = SplitInnKpp(payer.m_strInnKpp).inn;
    if (payerInn.isEmpty() || inn == payerInn) {
        return {};
    }
    const QString chosen =
        inn.isEmpty() ? QStringLiteral("ИНН не указан") : QStringLiteral("ИНН %1").arg(inn);
    return QStringLiteral(
               "В QR-коде ИНН плательщика %1, а у выбранного плательщика %2 %3: "
               "проверьте, тот ли плательщик выбран.")
        .arg(payerInn, QuotedValue(payer.m_strName), chosen);
}

QString InvoiceOrder::Summary() const {
    QString summary = QStringLiteral("Из QR-кода: ") + fromCode.join(QStringLiteral(", "));
    if (!fromDirectory.isEmpty()) {
        summary +=
            QStringLiteral("; из справочника БИК: ") + fromDirectory.join(QStringLiteral(", "));
    }
    summary += u'.';
    if (!missing.isEmpty()) {
        summary += QStringLiteral(" Нет в коде: ") + missing.join(QStringLiteral(", ")) + u'.';
    }
    return summary;
}

QStringList InvoiceOrder::Lines() const {
    const PartyAccounts accounts = AccountsOf(recipient, kRecipientsKind);
    const InnKpp innKpp = SplitInnKpp(recipient.m_strInnKpp);
    QStringList lines = {
        QStringLiteral("Получатель: ") + recipient.m_strName,
        QStringLiteral("ИНН: ") + innKpp.inn,
        QStringLiteral("КПП: ") + innKpp.kpp,
        QStringLiteral("Счет: ") + accounts.own,
        QStringLiteral("Банк: ") + recipient.m_strBank,
        QStringLiteral("БИК: ") + recipient.m_strBik,
        QStringLiteral("Корр. счет: ") + accounts.correspondent,
        QStringLiteral("Сумма: ") + order[kColumnAmount],
        QStringLiteral("Основание: ") + order[kColumnBasis],
    };
    if (budgetPayment) {
        for (int column = kColumnStatus; column <= kColumnUin; ++column) {
            lines << OrderFields::Caption(column) + QStringLiteral(": ") + order[column];
        }
    }
    if (!payerInn.isEmpty()) {
        lines << QStringLiteral("ИНН плательщика: ") + payerInn;
    }
    return lines;
}
