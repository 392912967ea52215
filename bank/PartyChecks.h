#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "common/CRequisiteArray.h"
#include "requisites/BikDirectory.h"

// The bank details of an order's payer and recipient, checked where the order is written or
// drawn. A party is taken as the form takes it: the first record of exactly its name. The user
// is warned, never stopped: the details are corrected in the address book, not in the order.
namespace PartyChecks {

// A party whose record breaks a bank rule.
struct FaultyParty {
    int nKind = 0;  // RequisitesFile::kPayersKind or kRecipientsKind
    QString name;
    QStringList problems;  // as RequisiteChecks words them, in the order of the fields
};

// The payer's and the recipient's records that break a rule, the payer first. A name that is
// empty or not in its book has no record to check. The records are also held against the
// directory of BIKs, when one is given.
QList<FaultyParty> Check(const QString& payer, const CRequisiteArray& payers,
                         const QString& recipient, const CRequisiteArray& recipients,
                         const BikDirectory& directory = {});

// One message about all of them, each party named with its problems under it.
QString Message(const QList<FaultyParty>& parties);

}  // namespace PartyChecks
