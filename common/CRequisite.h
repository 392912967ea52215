#pragma once

#include <QString>

// The two address books a record can stand in.
constexpr int kPayersKind = 0;
constexpr int kRecipientsKind = 1;  // and every other kind

// One counterparty's bank details: a plain value of six texts.
class CRequisite {
public:
    CRequisite() = default;
    CRequisite(const CRequisite&) = default;
    CRequisite& operator=(const CRequisite&) = default;
    virtual ~CRequisite() = default;

    bool operator==(const CRequisite& other) const;

    QString m_strName;  // the name by which orders refer to the counterparty
    QString m_strBank;
    QString m_strInnKpp;  // taxpayer number and reason code, one text
    QString m_strBik;     // bank identification code
    QString m_strAccount1;
    QString m_strAccount2;
};

// What a record's two accounts hold depends on its book. The form prints account 1 above
// account 2 down the page: a payer's own account in its band and then its bank's correspondent
// account in the bank's band below, while a recipient's bank band comes first. So a payer's
// Счет1 is its own account and Счет2 its bank's, and a recipient's the other way round.
using AccountMember = QString CRequisite::*;
AccountMember OwnAccountMember(int nKind);
AccountMember CorrespondentAccountMember(int nKind);

// The taxpayer number and the reason code of a record's one "ИНН/КПП" text, each without the
// blanks it may be typed with: split at "/" or "\", or at a blank between a number of 10 or 12
// digits and one of 9 characters; anything else is the INN alone.
struct InnKpp {
    QString inn;
    QString kpp;
};
InnKpp SplitInnKpp(const QString& innKpp);

struct PartyAccounts {
    QString own;            // the party's own account, which the money leaves or reaches
    QString correspondent;  // its bank's correspondent account (a treasury's single account)
};
PartyAccounts AccountsOf(const CRequisite& record, int nKind);
