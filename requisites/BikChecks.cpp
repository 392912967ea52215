#include "requisites/BikChecks.h"

#include <algorithm>

namespace BikChecks {
namespace {

using Field = RequisiteChecks::Field;

// The letters and digits of a bank's name, letter case and "ё" aside.
QString Essence(const QString& text) {
    QString essence;
    for (QChar c : text.toCaseFolded()) {
        if (c.isLetterOrNumber()) {
            essence.append(c == u'ё' ? QChar(u'е') : c);
        }
    }
    return essence;
}

struct AccountField {
    QString CRequisite::*member;
    Field field;
    QString caption;
};

AccountField CorrespondentField(int nKind) {
    const AccountMember member = CorrespondentAccountMember(nKind);
    if (member == &CRequisite::m_strAccount1) {
        return {member, Field::Account1, QStringLiteral("Счет1")};
    }
    return {member, Field::Account2, QStringLiteral("Счет2")};
}

// "по справочнику БИК от 08.12.2026"
QString ByDirectory(const BikDirectory& directory) {
    return QStringLiteral("справочнику БИК от %1")
        .arg(directory.Date().toString(QStringLiteral("dd.MM.yyyy")));
}

const BikDirectory::Account* FindAccount(const BikDirectory::Participant& participant,
                                         const QString& number) {
    for (const BikDirectory::Account& account : participant.accounts) {
        if (account.number == number) {
            return &account;
        }
    }
    return nullptr;
}

const BikDirectory::Participant* Listed(const CRequisite& record, const BikDirectory& directory,
                                        QString* bik) {
    *bik = RequisiteChecks::WithoutBlanks(record.m_strBik);
    if (directory.IsEmpty() || !BikDirectory::IsBik(*bik)) {
        return nullptr;
    }
    return directory.Find(*bik);
}

void CheckAccount(const CRequisite& record, int nKind, const BikDirectory& directory,
                  const BikDirectory::Participant& participant,
                  QList<RequisiteChecks::Problem>* problems) {
    const AccountField field = CorrespondentField(nKind);
    const QString account = RequisiteChecks::WithoutBlanks(record.*field.member);
    if (account.isEmpty()) {
        return;
    }
    const QString prefix = field.caption + QStringLiteral(": ");
    const QString given = BikDirectory::CorrespondentAccount(participant);
    if (given.isEmpty()) {
        problems->append(
            {field.field, prefix + QStringLiteral("у БИК %1 нет корреспондентского "
                                                  "счета в %2")
                                       .arg(participant.bik, DirectoryName(directory))});
        return;
    }
    const BikDirectory::Account* listed = FindAccount(participant, account);
    if (!listed) {
        problems->append(
            {field.field, prefix + QStringLiteral("по %1 у БИК %2 счет %3")
                                       .arg(ByDirectory(directory), participant.bik, given)});
        return;
    }
    for (const BikDirectory::Restriction& restriction : listed->restrictions) {
        problems->append(
            {field.field, prefix + QStringLiteral("по %1 по счету %2 %3")
                                       .arg(ByDirectory(directory), account,
                                            BikDirectory::RestrictionText(restriction))});
    }
}

// Where a problem's field stands among the fields; the swapped accounts come before either.
int Rank(Field field) {
    switch (field) {
        case Field::Accounts:
            return static_cast<int>(Field::Account1) * 2 - 1;
        default:
            return static_cast<int>(field) * 2;
    }
}

bool AccountsSwapped(const CRequisite& record, int nKind) {
    return RequisiteChecks::HasSwappedAccounts(RequisiteChecks::Check(record, nKind));
}

}  // namespace

QString DirectoryName(const BikDirectory& directory) {
    return QStringLiteral("справочнике БИК от %1")
        .arg(directory.Date().toString(QStringLiteral("dd.MM.yyyy")));
}

QList<RequisiteChecks::Problem> Check(const CRequisite& record, int nKind,
                                      const BikDirectory& directory) {
    QList<RequisiteChecks::Problem> problems;
    QString bik;
    const BikDirectory::Participant* participant = Listed(record, directory, &bik);
    if (!participant) {
        if (!directory.IsEmpty() && BikDirectory::IsBik(bik)) {
            problems.append(
                {Field::Bik, QStringLiteral("БИК %1 нет в %2").arg(bik, DirectoryName(directory))});
        }
        return problems;
    }
    const QStringList obstacles = BikDirectory::PaymentObstacles(*participant);
    if (!obstacles.isEmpty()) {
        problems.append({Field::Bik, QStringLiteral("БИК %1 не принимает платежи по %2: %3")
                                         .arg(bik, ByDirectory(directory),
                                              obstacles.join(QStringLiteral("; ")))});
    }
    if (!AccountsSwapped(record, nKind)) {
        CheckAccount(record, nKind, directory, *participant, &problems);
    }
    return problems;
}

QList<RequisiteChecks::Problem> CheckAll(const CRequisite& record, int nKind,
                                         const BikDirectory& directory) {
    QString bik;
    const BikDirectory::Participant* participant = Listed(record, directory, &bik);
    using RequisiteChecks::BikHolder;
    const BikHolder holder = !participant                                 ? BikHolder::Unknown
                             : BikDirectory::IsTreasuryBody(*participant) ? BikHolder::TreasuryBody
                                                                          : BikHolder::Other;
    QList<RequisiteChecks::Problem> problems =
        RequisiteChecks::Check(record, nKind, holder) + Check(record, nKind, directory);
    std::stable_sort(problems.begin(), problems.end(),
                     [](const RequisiteChecks::Problem& a, const RequisiteChecks::Problem& b) {
                         return Rank(a.field) < Rank(b.field);
                     });
    return problems;
}

Suggestions Suggest(const CRequisite& record, int nKind, const BikDirectory& directory) {
    Suggestions suggestions;
    QString bik;
    const BikDirectory::Participant* participant = Listed(record, directory, &bik);
    if (!participant) {
        return suggestions;
    }
    const FieldValue bank{&CRequisite::m_strBank, QStringLiteral("Банк"), record.m_strBank,
                          BikDirectory::BankText(*participant)};
    if (bank.current.trimmed().isEmpty()) {
        suggestions.fills.append(bank);
    } else if (Essence(bank.current) != Essence(bank.directory)) {
        suggestions.corrections.append(bank);
    }
    if (AccountsSwapped(record, nKind)) {
        return suggestions;
    }
    const AccountField field = CorrespondentField(nKind);
    const FieldValue account{field.member, field.caption, record.*field.member,
                             BikDirectory::CorrespondentAccount(*participant)};
    if (account.directory.isEmpty()) {
        return suggestions;
    }
    const QString current = RequisiteChecks::WithoutBlanks(account.current);
    if (current.isEmpty()) {
        suggestions.fills.append(account);
    } else if (!FindAccount(*participant, current)) {
        suggestions.corrections.append(account);
    }
    return suggestions;
}

}  // namespace BikChecks
