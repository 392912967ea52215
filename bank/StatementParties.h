#pragma once

#include <QList>

#include "common/CRequisite.h"
#include "common/CRequisiteArray.h"

class BikDirectory;
class ExchangeFile;
struct ExchangeDocument;
struct StatementReport;

// A counterparty a statement names that neither address book holds, ready for the book it
// belongs in: the recipient of an outgoing payment for the recipients, the payer of an incoming
// one for the payers. The same party is the same INN and account; the client's own accounts and
// the bank's internal ones (transit 30…, settlements 47…, the bank's income 706…) are never
// offered.
struct StatementParty {
    int nKind = kRecipientsKind;
    // Filled from the document; what it leaves empty of the bank from the directory of BIKs.
    CRequisite record;
    qsizetype entry = -1;    // the first document that names it, as the report's entry
    bool nameTaken = false;  // the book holds a record of that name: it needs another one

    // The name of the document's party of the kind (the payer for kPayersKind): "Получатель1"
    // where the bank gives it, else "Получатель" without the INN some banks put in front.
    static QString NameOf(const ExchangeFile& file, const ExchangeDocument& document, int nKind);

    static QList<StatementParty> Of(const ExchangeFile& file, const StatementReport& report,
                                    const CRequisiteArray& payers,
                                    const CRequisiteArray& recipients,
                                    const BikDirectory& directory);
};
