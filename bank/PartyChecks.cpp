#include "bank/PartyChecks.h"

#include "common/QuotedValue.h"
#include "requisites/BikChecks.h"
#include "requisites/RequisiteChecks.h"
#include "requisites/RequisitesFile.h"

namespace PartyChecks {
namespace {

void CheckParty(int kind, const QString& name, const CRequisiteArray& book,
                const BikDirectory& directory, QList<FaultyParty>* faulty) {
    if (name.isEmpty()) {
        return;
    }
    const CRequisite* record = FindRecord(book, name);
    if (!record) {
        return;
    }
    const QStringList problems =
        RequisiteChecks::Texts(BikChecks::CheckAll(*record, kind, directory));
    if (!problems.isEmpty()) {
        faulty->append({kind, name, problems});
    }
}

QString Role(int kind) {
    return kind == RequisitesFile::kPayersKind ? QStringLiteral("Плательщик")
                                               : QStringLiteral("Получатель");
}

}  // namespace

QList<FaultyParty> Check(const QString& payer, const CRequisiteArray& payers,
                         const QString& recipient, const CRequisiteArray& recipients,
                         const BikDirectory& directory) {
    QList<FaultyParty> faulty;
    CheckParty(RequisitesFile::kPayersKind, payer, payers, directory, &faulty);
    CheckParty(RequisitesFile::kRecipientsKind, recipient, recipients, directory, &faulty);
    return faulty;
}

QString Message(const QList<FaultyParty>& parties) {
    QStringList paragraphs{QStringLiteral("Реквизиты не проходят проверку банка.")};
    for (const FaultyParty& party : parties) {
        QStringList lines{QStringLiteral("%1 %2:").arg(Role(party.nKind), QuotedValue(party.name))};
        for (const QString& problem : party.problems) {
            lines.append(QStringLiteral("• ") + problem);
        }
        paragraphs.append(lines.join(QLatin1Char('\n')));
    }
    paragraphs.append(
        QStringLiteral("Банк может вернуть такой платеж. Исправьте реквизиты в архиве "
                       "реквизитов."));
    return paragraphs.join(QStringLiteral("\n\n"));
}

}  // namespace PartyChecks
