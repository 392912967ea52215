#include "bank/StatementParties.h"

#include <QRegularExpression>
#include <QSet>

#include "bank/ExchangeFile.h"
#include "bank/StatementReport.h"
#include "requisites/BikChecks.h"
#include "requisites/RequisiteChecks.h"

namespace {

using RequisiteChecks::WithoutBlanks;

// The bank's own accounts: transit, settlements, its income.
bool IsBankInternal(const QString& account) {
    return account.startsWith(QStringLiteral("30")) || account.startsWith(QStringLiteral("47")) ||
           account.startsWith(QStringLiteral("706"));
}

QString Identity(const QString& inn, const QString& account) {
    return inn + u'|' + account;
}

// Every party both books hold, by INN and own account.
QSet<QString> HeldParties(const CRequisiteArray& payers, const CRequisiteArray& recipients) {
    QSet<QString> held;
    for (int nKind : {kPayersKind, kRecipientsKind}) {
        for (const CRequisite& record : nKind == kPayersKind ? payers : recipients) {
            held.insert(Identity(SplitInnKpp(record.m_strInnKpp).inn,
                                 WithoutBlanks(AccountsOf(record, nKind).own)));
        }
    }
    return held;
}

CRequisite RecordOf(const ExchangeFile& file, const ExchangeDocument& document, int nKind,
                    const BikDirectory& directory) {
    const bool payer = nKind == kPayersKind;
    const QString side = payer ? QStringLiteral("Плательщик") : QStringLiteral("Получатель");
    const QString inn = payer ? document.payerInn : document.recipientInn;
    const QString kpp = WithoutBlanks(file.Value(document, side + QStringLiteral("КПП")));
    CRequisite record;
    record.m_strName = StatementParty::NameOf(file, document, nKind);
    record.m_strInnKpp = kpp.isEmpty() ? inn : inn + u'/' + kpp;
    record.m_strBik = WithoutBlanks(file.Value(document, side + QStringLiteral("БИК")));
    const QString bank = file.Value(document, side + QStringLiteral("Банк1"));
    const QString town = file.Value(document, side + QStringLiteral("Банк2"));
    record.m_strBank = town.isEmpty() ? bank : bank + u' ' + town;
    QString correspondent = file.Value(document, side + QStringLiteral("Корсчет"));
    if (correspondent.isEmpty()) {
        correspondent = file.Value(document, side + QStringLiteral("КорСчет"));  // one bank's
    }
    record.*OwnAccountMember(nKind) = payer ? document.payerAccount : document.recipientAccount;
    record.*CorrespondentAccountMember(nKind) = WithoutBlanks(correspondent);
    for (const BikChecks::FieldValue& fill : BikChecks::Suggest(record, nKind, directory).fills) {
        record.*fill.member = fill.directory;
    }
    return record;
}

}  // namespace

QString StatementParty::NameOf(const ExchangeFile& file, const ExchangeDocument& document,
                               int nKind) {
    const bool payer = nKind == kPayersKind;
    const QString side = payer ? QStringLiteral("Плательщик") : QStringLiteral("Получатель");
    const QString name = file.Value(document, side + u'1');
    if (!name.isEmpty()) {
        return name;
    }
    static const QRegularExpression kInnInFront(QStringLiteral("^ИНН\\s*\\d*\\s+"));
    QString whole = file.Value(document, side);
    whole.remove(kInnInFront);
    const QString& inn = payer ? document.payerInn : document.recipientInn;
    return whole.isEmpty() ? QStringLiteral("ИНН %1").arg(inn) : whole;
}

QList<StatementParty> StatementParty::Of(const ExchangeFile& file, const StatementReport& report,
                                         const CRequisiteArray& payers,
                                         const CRequisiteArray& recipients,
                                         const BikDirectory& directory) {
    QList<StatementParty> parties;
    QSet<QString> seen = HeldParties(payers, recipients);
    for (qsizetype e = 0; e < report.entries.size(); ++e) {
        const StatementEntry& entry = report.entries[e];
        const ExchangeDocument& document = file.Documents()[entry.document];
        int nKind;
        if (entry.kind == StatementEntry::Kind::Outgoing &&
            entry.direction == PaymentMatch::Direction::Outgoing) {
            nKind = kRecipientsKind;
        } else if (entry.kind == StatementEntry::Kind::Incoming) {
            nKind = kPayersKind;
        } else {
            continue;
        }
        const bool payer = nKind == kPayersKind;
        const QString& account = payer ? document.payerAccount : document.recipientAccount;
        const QString& inn = payer ? document.payerInn : document.recipientInn;
        // The direction leaves the client's own accounts out: a transfer between two of them is
        // neither outgoing nor incoming.
        if (account.isEmpty() || IsBankInternal(account) || seen.contains(Identity(inn, account))) {
            continue;
        }
        seen.insert(Identity(inn, account));
        StatementParty party;
        party.nKind = nKind;
        party.record = RecordOf(file, document, nKind, directory);
        party.entry = e;
        party.nameTaken = FindRecord(payer ? payers : recipients, party.record.m_strName);
        parties.append(party);
    }
    return parties;
}
