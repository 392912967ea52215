#include "bank/BudgetChecks.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>

#include "bank/BudgetPayment.h"
#include "common/QuotedValue.h"
#include "orders/OrderFields.h"
#include "requisites/RequisiteChecks.h"

namespace BudgetChecks {
namespace {

int MaxLength(int column) {
    return OrderFields::Of(column).maxLength;
}

bool IsZero(const QString& value) {
    return value == QLatin1String("0");
}

bool AllDigits(const QString& value) {
    return !value.isEmpty() &&
           std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool AllZeros(const QString& value) {
    return std::all_of(value.begin(), value.end(), [](QChar c) { return c == u'0'; });
}

bool IsDate(const QString& value) {
    static const QRegularExpression kDate(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}$"));
    return kDate.match(value).hasMatch() &&
           QDate::fromString(value, QStringLiteral("dd.MM.yyyy")).isValid();
}

// A month (МС.01–12), a quarter (КВ.01–04), a half-year (ПЛ.01–02) or a year (ГД.00), each with
// its year; a date; or a customs office's code of eight digits.
bool IsTaxPeriod(const QString& value) {
    static const QRegularExpression kPeriod(
        QStringLiteral("^(МС|КВ|ПЛ|ГД)\\.(\\d\\d)\\.(\\d{4})$"));
    const QRegularExpressionMatch match = kPeriod.match(value);
    if (match.hasMatch()) {
        const QString kind = match.captured(1);
        const int part = match.captured(2).toInt();
        const int last = kind == u"МС" ? 12 : kind == u"КВ" ? 4 : kind == u"ПЛ" ? 2 : 0;
        return last == 0 ? part == 0 : part >= 1 && part <= last;
    }
    return IsDate(value) || (value.size() == 8 && AllDigits(value));
}

class Collector {
public:
    explicit Collector(const OrderRow& row) : m_row(row) {}

    // "КБК (104) «1820»: what", the value quoted as it stands, its start only when it is long.
    void Value(int column, const QString& what) {
        m_problems.append(
            {column, QStringLiteral("%1 %2: %3")
                         .arg(OrderFields::Caption(column), QuotedValue(m_row[column]), what)});
    }
    // "Статус (101): what", for a field that is empty or is not at fault by its own value.
    void Field(int column, const QString& what) {
        m_problems.append({column, OrderFields::Caption(column) + QStringLiteral(": ") + what});
    }
    void Text(int column, const QString& text) { m_problems.append({column, text}); }
    QList<Problem> Problems() {
        std::stable_sort(m_problems.begin(), m_problems.end(),
                         [](const Problem& a, const Problem& b) { return a.column < b.column; });
        return m_problems;
    }

private:
    const OrderRow& m_row;
    QList<Problem> m_problems;
};

// Each field's own form, when it is filled.
void CheckForms(const OrderRow& row, Collector* out) {
    const auto filled = [&row](int column) { return !row[column].isEmpty(); };
    if (filled(kColumnStatus) &&
        !BudgetPayment::IsKnownCode(BudgetPayment::Statuses(), row[kColumnStatus])) {
        out->Value(kColumnStatus, QStringLiteral("такого статуса нет в списке"));
    }
    const QString kbk = row[kColumnKbk];
    if (filled(kColumnKbk) && !IsZero(kbk) &&
        !(kbk.size() == 20 && AllDigits(kbk) && !AllZeros(kbk))) {
        out->Value(kColumnKbk, QStringLiteral("нужно 20 цифр, не все нули, или 0"));
    }
    const QString oktmo = row[kColumnOktmo];
    if (filled(kColumnOktmo) && !IsZero(oktmo) &&
        !((oktmo.size() == 8 || oktmo.size() == 11) && AllDigits(oktmo) && !AllZeros(oktmo))) {
        out->Value(kColumnOktmo, QStringLiteral("нужно 8 или 11 цифр, не все нули, или 0"));
    }
    if (filled(kColumnTaxBasis) && row[kColumnTaxBasis].size() != 2 &&
        !IsZero(row[kColumnTaxBasis])) {
        out->Value(kColumnTaxBasis, QStringLiteral("нужно 2 знака или 0"));
    }
    if (filled(kColumnTaxPeriod) && !IsZero(row[kColumnTaxPeriod]) &&
        !IsTaxPeriod(row[kColumnTaxPeriod])) {
        out->Value(kColumnTaxPeriod,
                   QStringLiteral("пишется как МС.01.2026, КВ.01.2026, ПЛ.01.2026, ГД.00.2026, "
                                  "дата ДД.ММ.ГГГГ, код таможни из 8 цифр или 0"));
    }
    if (row[kColumnTaxDocNumber].size() > MaxLength(kColumnTaxDocNumber)) {
        out->Value(kColumnTaxDocNumber,
                   QStringLiteral("не более %1 знаков или 0").arg(MaxLength(kColumnTaxDocNumber)));
    }
    if (filled(kColumnTaxDocDate) && !IsZero(row[kColumnTaxDocDate]) &&
        !IsDate(row[kColumnTaxDocDate])) {
        out->Value(kColumnTaxDocDate, QStringLiteral("нужна дата ДД.ММ.ГГГГ или 0"));
    }
    if (row[kColumnTaxType].size() > MaxLength(kColumnTaxType)) {
        out->Value(kColumnTaxType,
                   QStringLiteral("не более %1 знаков").arg(MaxLength(kColumnTaxType)));
    }
    const QString uin = row[kColumnUin];
    if (filled(kColumnUin) && !IsZero(uin)) {
        if (!((uin.size() == 20 || uin.size() == 25) && AllDigits(uin))) {
            out->Value(kColumnUin, QStringLiteral("нужно 0 или 20 либо 25 цифр"));
        } else if (AllZeros(uin)) {
            // Its check digit agrees, but no payment is identified by it.
            out->Value(kColumnUin, QStringLiteral("УИН из одних нулей не бывает; без УИН пишут 0"));
        } else if (!UinCheckDigitAgrees(uin)) {
            out->Value(kColumnUin, QStringLiteral("неверное контрольное число"));
        }
    }
}

// A payment to the budget carries its status and all of 104–109 ("0" where there is nothing).
void CheckBudgetPayment(const OrderRow& row, const CRequisite* recipient, Collector* out) {
    const bool treasury =
        recipient && BudgetPayment::IsTreasuryAccount(AccountsOf(*recipient, kRecipientsKind).own);
    if (row[kColumnStatus].isEmpty()) {
        if (treasury) {
            out->Text(kColumnStatus, QStringLiteral("статус плательщика (101) не указан, а платеж "
                                                    "идет на казначейский счет"));
        }
        return;
    }
    for (int column = kColumnKbk; column < kOrderFieldCount; ++column) {
        if ((column == kColumnKbk || OrderFields::Of(column).zeroWhenNone) &&
            row[column].isEmpty()) {
            out->Field(column, column == kColumnKbk
                                   ? QStringLiteral("не указан, а статус плательщика указан")
                                   : QStringLiteral("не заполнено: при платеже в бюджет пишут 0, "
                                                    "если значения нет"));
        }
    }
    if (row[kColumnUin].isEmpty()) {
        out->Field(
            kColumnUin,
            QStringLiteral("не заполнен: при платеже в бюджет пишут УИН или 0, если его нет"));
    }
}

// The single tax payment goes to the tax service's details, with 105–109 all "0".
void CheckSingleTaxPayment(const OrderRow& row, const CRequisite* recipient, Collector* out) {
    if (row[kColumnKbk] != QLatin1String(BudgetPayment::kSingleTaxKbk)) {
        return;
    }
    const CRequisite known = BudgetPayment::TaxServiceRecord();
    const auto same = [](const QString& a, const QString& b) {
        return RequisiteChecks::WithoutBlanks(a) == RequisiteChecks::WithoutBlanks(b);
    };
    if (recipient) {
        const InnKpp innKpp = SplitInnKpp(recipient->m_strInnKpp);
        const InnKpp knownInnKpp = SplitInnKpp(known.m_strInnKpp);
        const bool details = innKpp.inn == knownInnKpp.inn && innKpp.kpp == knownInnKpp.kpp &&
                             same(recipient->m_strBik, known.m_strBik) &&
                             same(AccountsOf(*recipient, kRecipientsKind).own,
                                  AccountsOf(known, kRecipientsKind).own) &&
                             same(AccountsOf(*recipient, kRecipientsKind).correspondent,
                                  AccountsOf(known, kRecipientsKind).correspondent);
        if (!details) {
            out->Field(kColumnKbk,
                       QStringLiteral("единый налоговый платеж платят получателю «%1» (ИНН/КПП "
                                      "%2, БИК %3, счет %4), а реквизиты получателя другие")
                           .arg(known.m_strName, known.m_strInnKpp, known.m_strBik,
                                AccountsOf(known, kRecipientsKind).own));
        }
    }
    for (int column = kColumnOktmo; column < kOrderFieldCount; ++column) {
        if (OrderFields::Of(column).zeroWhenNone && !row[column].isEmpty() &&
            !IsZero(row[column])) {
            out->Value(column, QStringLiteral("у единого налогового платежа здесь пишут 0"));
        }
    }
}

bool IsIncomeTypeCode(const QString& code) {
    return BudgetPayment::IsKnownCode(BudgetPayment::IncomeTypes(), code);
}

void CheckIncomeTypeCode(const OrderRow& row, Collector* out) {
    const QString code = row[kColumnIncomeType];
    if (!code.isEmpty() && !IsIncomeTypeCode(code)) {
        out->Value(kColumnIncomeType, QStringLiteral("нужен код от 1 до 5"));
    }
}

// The income-type code is for income paid to a person's account.
void CheckIncomeType(const OrderRow& row, const CRequisite* recipient, Collector* out) {
    const QString code = row[kColumnIncomeType];
    if (code.isEmpty() || !IsIncomeTypeCode(code)) {
        return;
    }
    if (recipient && SplitInnKpp(recipient->m_strInnKpp).inn.size() == 10) {
        out->Value(kColumnIncomeType,
                   QStringLiteral("заполняется только при выплатах физическим лицам, а "
                                  "получатель — организация (ИНН из 10 цифр)"));
    }
}

// One pass of the check digit's weights 1, 2, …, 10, 1, … starting from `first`.
int WeightedRemainder(const QString& digits, int first) {
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        sum += (digits[i].unicode() - u'0') * int((first - 1 + i) % 10 + 1);
    }
    return sum % 11;
}

}  // namespace

bool UinCheckDigitAgrees(const QString& uin) {
    const QString body = uin.left(uin.size() - 1);
    int check = WeightedRemainder(body, 1);
    if (check == 10) {
        check = WeightedRemainder(body, 3);
        if (check == 10) {
            check = 0;
        }
    }
    return uin.back().unicode() - u'0' == check;
}

QList<Problem> MalformedFields(const OrderRow& row, const CRequisite* recipient) {
    Collector out(row);
    CheckForms(row, &out);
    CheckIncomeTypeCode(row, &out);
    CheckBudgetPayment(row, recipient, &out);
    return out.Problems();
}

QList<Problem> Check(const OrderRow& row, const CRequisite* recipient) {
    Collector out(row);
    CheckForms(row, &out);
    CheckIncomeTypeCode(row, &out);
    CheckBudgetPayment(row, recipient, &out);
    CheckSingleTaxPayment(row, recipient, &out);
    CheckIncomeType(row, recipient, &out);
    return out.Problems();
}

}  // namespace BudgetChecks
