#pragma once

#include <QString>

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
