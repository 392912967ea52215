#include "requisites/RequisiteChecks.h"

#include <QStringView>
#include <algorithm>
#include <array>
#include <tuple>

#include "common/RussianPlural.h"
#include "common/StorableText.h"

namespace RequisiteChecks {
namespace {

constexpr int kBikLength = 9;
constexpr int kAccountLength = 20;
constexpr int kOrganisationInnLength = 10;
constexpr int kPersonInnLength = 12;
constexpr int kKppLength = 9;

// Weights of the check digits of the taxpayer number, over the digits before each check digit.
constexpr std::array<int, 9> kOrganisationInnWeights = {2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<int, 10> kPersonInnWeights11 = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<int, 11> kPersonInnWeights12 = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};

// QChar::isDigit would take the digits of other scripts too; the bank reads 0 to 9 only.
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int DigitAt(QStringView digits, qsizetype i) {
    return digits[i].unicode() - u'0';
}

bool AllDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

// A count with its noun in the right Russian form: 1 цифра, 3 цифры, 8 цифр, 21 цифра.
QString Counted(qsizetype n, const QString& one, const QString& few, const QString& many) {
    return QString::number(n) + QLatin1Char(' ') + RussianPlural(n, one, few, many);
}

QString Digits(qsizetype n) {
    return Counted(n, QStringLiteral("цифра"), QStringLiteral("цифры"), QStringLiteral("цифр"));
}

// What is wrong with a number that must be `length` digits; empty when nothing is.
QString NumberFault(const QString& number, int length) {
    for (QChar c : number) {
        if (!IsDigit(c)) {
            return QStringLiteral("«%1» вместо цифры").arg(c);
        }
    }
    if (number.size() != length) {
        return QStringLiteral("%1 вместо %2").arg(Digits(number.size())).arg(length);
    }
    return {};
}

// The control key of an account: the bank's three digits followed by the account's twenty,
// weighted 7, 1, 3, 7, 1, 3, ..., add up to a multiple of ten.
bool KeyAgrees(const QString& bankDigits, const QString& account) {
    constexpr std::array<int, 3> kWeights = {7, 1, 3};
    const QString digits = bankDigits + account;
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        sum += DigitAt(digits, i) * kWeights[i % kWeights.size()];
    }
    return sum % 10 == 0;
}

// A check digit of the taxpayer number: the weighted sum of the digits before it, mod 11, mod 10.
template <std::size_t N>
int InnCheckDigit(QStringView inn, const std::array<int, N>& weights) {
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i) {
        sum += DigitAt(inn, i) * weights[i];
    }
    return sum % 11 % 10;
}

bool InnCheckDigitsAgree(const QString& inn) {
    if (inn.size() == kOrganisationInnLength) {
        return InnCheckDigit(inn, kOrganisationInnWeights) == DigitAt(inn, 9);
    }
    return InnCheckDigit(inn, kPersonInnWeights11) == DigitAt(inn, 10) &&
           InnCheckDigit(inn, kPersonInnWeights12) == DigitAt(inn, 11);
}

class Collector {
public:
    void Add(Field field, const QString& caption, const QString& what) {
        m_problems.append({field, caption + QStringLiteral(": ") + what});
    }
    void AddText(Field field, const QString& text) { m_problems.append({field, text}); }
    QList<Problem> Problems() const { return m_problems; }

private:
    QList<Problem> m_problems;
};

void CheckInn(const QString& inn, Collector* out) {
    const QString caption = QStringLiteral("ИНН");
    for (QChar c : inn) {
        if (!IsDigit(c)) {
            out->Add(Field::InnKpp, caption, QStringLiteral("«%1» вместо цифры").arg(c));
            return;
        }
    }
    if (inn.size() != kOrganisationInnLength && inn.size() != kPersonInnLength) {
        out->Add(Field::InnKpp, caption,
                 QStringLiteral("%1 вместо %2 или %3")
                     .arg(Digits(inn.size()))
                     .arg(kOrganisationInnLength)
                     .arg(kPersonInnLength));
    } else if (!InnCheckDigitsAgree(inn)) {
        out->Add(Field::InnKpp, caption, QStringLiteral("неверное контрольное число"));
    }
}

// Four digits, two digits or capital Latin letters, three digits.
void CheckKpp(const QString& kpp, Collector* out) {
    const QString caption = QStringLiteral("КПП");
    if (kpp.size() != kKppLength) {
        out->Add(Field::InnKpp, caption,
                 QStringLiteral("%1 вместо %2")
                     .arg(Counted(kpp.size(), QStringLiteral("знак"), QStringLiteral("знака"),
                                  QStringLiteral("знаков")))
                     .arg(kKppLength));
        return;
    }
    for (qsizetype i = 0; i < kpp.size(); ++i) {
        const QChar c = kpp[i];
        const bool letterPlace = i == 4 || i == 5;
        if (IsDigit(c) || (letterPlace && c >= u'A' && c <= u'Z')) {
            continue;
        }
        const QString what = letterPlace ? QStringLiteral(
                                               "«%1» на %2-м месте вместо цифры или "
                                               "заглавной латинской буквы")
                                         : QStringLiteral("«%1» на %2-м месте вместо цифры");
        out->Add(Field::InnKpp, caption, what.arg(c).arg(i + 1));
        return;
    }
}

// "ИНН/КПП" or the INN alone, split as the form and the export split it; an empty part after the
// separator is a KPP not filled.
void CheckInnKpp(const QString& field, Collector* out) {
    if (field.count(u'/') + field.count(u'\\') > 1) {
        out->Add(Field::InnKpp, QStringLiteral("ИНН/КПП"),
                 QStringLiteral("пишется как ИНН/КПП или один ИНН"));
        return;
    }
    const auto [inn, kpp] = SplitInnKpp(field);
    if (!inn.isEmpty()) {
        CheckInn(inn, out);
    }
    if (kpp.isEmpty()) {
        return;
    }
    if (inn.size() == kPersonInnLength && AllDigits(inn)) {
        out->Add(Field::InnKpp, QStringLiteral("КПП"),
                 QStringLiteral("у ИНН из 12 цифр (физического лица) КПП не бывает"));
    } else {
        CheckKpp(kpp, out);
    }
}

// A BIK the directory lists is a participant's whatever its digits; one it does not list is at
// least Russian.
void CheckBik(const QString& bik, BikHolder holder, Collector* out) {
    const QString caption = QStringLiteral("БИК");
    if (const QString fault = NumberFault(bik, kBikLength); !fault.isEmpty()) {
        out->Add(Field::Bik, caption, fault);
    } else if (holder == BikHolder::Unknown && !bik.startsWith(u'0')) {
        out->Add(Field::Bik, caption, QStringLiteral("российский БИК начинается с 0"));
    }
}

const QString kSingleTreasuryAccount = QStringLiteral("40102");

// A bank's correspondent account at the central bank starts with 301; a treasury body's is the
// single treasury account, 40102.
bool LooksLikeCorrespondentAccount(const QString& account) {
    return account.startsWith(QLatin1String("301")) || account.startsWith(kSingleTreasuryAccount);
}

bool LooksLikeClientAccount(const QString& account) {
    return NumberFault(account, kAccountLength).isEmpty() &&
           !LooksLikeCorrespondentAccount(account);
}

// One of the record's two accounts: its text without blanks, the caption of the field it stands
// in and the field, which differ between the books.
struct Account {
    QString digits;
    QString caption;
    Field field;
};

Account AccountIn(const CRequisite& record, AccountMember member) {
    const bool first = member == &CRequisite::m_strAccount1;
    return {WithoutBlanks(record.*member),
            first ? QStringLiteral("Счет1") : QStringLiteral("Счет2"),
            first ? Field::Account1 : Field::Account2};
}

// The party's own account is keyed against the BIK's last three digits; a treasury account (03…)
// at a treasury body is not keyed against the BIK at all. An unusable BIK (empty, or wrong by its
// own rule) leaves the key unchecked: its own warning says enough.
void CheckOwnAccount(const Account& account, const QString& bik, bool treasuryBody, bool bikUsable,
                     Collector* out) {
    if (const QString fault = NumberFault(account.digits, kAccountLength); !fault.isEmpty()) {
        out->Add(account.field, account.caption, fault);
        return;
    }
    const bool treasuryAccount = treasuryBody && account.digits.startsWith(u'0');
    if (bikUsable && !treasuryAccount && !KeyAgrees(bik.right(3), account.digits)) {
        out->Add(account.field, account.caption,
                 QStringLiteral("контрольный ключ не сходится с БИК %1").arg(bik));
    }
}

// The correspondent account is the bank's own account at the central bank (for a treasury body
// the single treasury account, and nothing else: a bank's account there means one of the two is
// mistyped); its key is taken against "0" and the BIK's fifth and sixth digits.
void CheckCorrespondentAccount(const Account& account, const QString& bik, bool treasuryBody,
                               bool bikUsable, Collector* out) {
    if (const QString fault = NumberFault(account.digits, kAccountLength); !fault.isEmpty()) {
        out->Add(account.field, account.caption, fault);
        return;
    }
    const bool fits = treasuryBody ? account.digits.startsWith(kSingleTreasuryAccount)
                                   : LooksLikeCorrespondentAccount(account.digits);
    if (!fits) {
        out->Add(account.field, account.caption,
                 QStringLiteral("корреспондентский счет начинается с 301, у казначейства — с "
                                "40102"));
    }
    if (bikUsable && !KeyAgrees(QLatin1Char('0') + bik.mid(4, 2), account.digits)) {
        out->Add(account.field, account.caption,
                 QStringLiteral("контрольный ключ не сходится с БИК %1").arg(bik));
    }
}

}  // namespace

QString WithoutBlanks(QStringView text) {
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSpace()) {
            result.append(c);
        }
    }
    return result;
}

bool IsTreasuryBik(QStringView bik) {
    return bik.startsWith(u'0') && !bik.startsWith(QLatin1String("04"));
}

QList<Problem> Check(const CRequisite& record, int nKind, BikHolder holder) {
    Collector out;
    CheckInnKpp(record.m_strInnKpp, &out);
    const QString bik = WithoutBlanks(record.m_strBik);
    if (!bik.isEmpty()) {
        CheckBik(bik, holder, &out);
    }
    const bool bikUsable = NumberFault(bik, kBikLength).isEmpty();
    const bool treasuryBody = holder == BikHolder::Unknown ? bikUsable && IsTreasuryBik(bik)
                                                           : holder == BikHolder::TreasuryBody;
    Account own = AccountIn(record, OwnAccountMember(nKind));
    Account correspondent = AccountIn(record, CorrespondentAccountMember(nKind));
    if (LooksLikeCorrespondentAccount(own.digits) && LooksLikeClientAccount(correspondent.digits)) {
        // Said once; each account is then checked in the place where it belongs.
        out.AddText(Field::Accounts, QStringLiteral("Счет1 и Счет2 переставлены"));
        std::swap(own, correspondent);
    }
    if (!own.digits.isEmpty()) {
        CheckOwnAccount(own, bik, treasuryBody, bikUsable, &out);
    }
    if (!correspondent.digits.isEmpty()) {
        CheckCorrespondentAccount(correspondent, bik, treasuryBody, bikUsable, &out);
    }
    return out.Problems();
}

QList<Problem> CheckStorable(const CRequisite& record) {
    const std::array<std::tuple<Field, const QString*, const char16_t*>, 6> fields = {{
        {Field::Name, &record.m_strName, u"Наименование"},
        {Field::Bank, &record.m_strBank, u"Банк"},
        {Field::InnKpp, &record.m_strInnKpp, u"ИНН/КПП"},
        {Field::Bik, &record.m_strBik, u"БИК"},
        {Field::Account1, &record.m_strAccount1, u"Счет1"},
        {Field::Account2, &record.m_strAccount2, u"Счет2"},
    }};
    Collector out;
    for (const auto& [field, value, caption] : fields) {
        const UnstorableText found = FindUnstorableText(*value);
        if (found.first >= 0) {
            out.Add(field, QString::fromUtf16(caption),
                    QStringLiteral("недопустимые знаки ") + found.Names());
        }
    }
    return out.Problems();
}

bool HasSwappedAccounts(const QList<Problem>& problems) {
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem& problem) { return problem.field == Field::Accounts; });
}

QStringList Texts(const QList<Problem>& problems) {
    QStringList texts;
    texts.reserve(problems.size());
    for (const Problem& problem : problems) {
        texts.append(problem.text);
    }
    return texts;
}

}  // namespace RequisiteChecks
