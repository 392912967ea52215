#include "orders/OrderChecks.h"

#include <algorithm>

#include "requisites/RequisitesFile.h"

namespace OrderChecks {
namespace {

bool HasRecord(const CRequisiteArray& records, const QString& name) {
    return std::any_of(records.begin(), records.end(),
                       [&name](const CRequisite& record) { return record.m_strName == name; });
}

void CheckParty(const QString& name, const std::optional<CRequisiteArray>& book, int kind,
                const QString& role, QStringList* problems) {
    if (name.isEmpty() || !book || HasRecord(*book, name)) {
        return;
    }
    problems->append(
        QStringLiteral("%1 «%2» не найден в %3").arg(role, name, RequisitesFile::FileName(kind)));
}

}  // namespace

QStringList Check(const OrderRow& row, const AddressBooks& books) {
    QStringList problems;
    CheckParty(row[kColumnPayer], books.payers, RequisitesFile::kPayersKind,
               QStringLiteral("плательщик"), &problems);
    CheckParty(row[kColumnRecipient], books.recipients, RequisitesFile::kRecipientsKind,
               QStringLiteral("получатель"), &problems);
    return problems;
}

}  // namespace OrderChecks
