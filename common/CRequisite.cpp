#include "common/CRequisite.h"
#include "common/CRequisiteArray.h"

bool CRequisite::operator==(const CRequisite& other) const {
    return m_strName == other.m_strName && m_strBank == other.m_strBank &&
           m_strInnKpp == other.m_strInnKpp && m_strBik == other.m_strBik &&
           m_strAccount1 == other.m_strAccount1 && m_strAccount2 == other.m_strAccount2;
}

AccountMember OwnAccountMember(int nKind) {
    return nKind == kPayersKind ? &CRequisite::m_strAccount1 : &CRequisite::m_strAccount2;
}

AccountMember CorrespondentAccountMember(int nKind) {
    return nKind == kPayersKind ? &CRequisite::m_strAccount2 : &CRequisite::m_strAccount1;
}

PartyAccounts AccountsOf(const CRequisite& record, int nKind) {
    return {record.*OwnAccountMember(nKind), record.*CorrespondentAccountMember(nKind)};
}

const CRequisite* FindRecord(const CRequisiteArray& records, const QString& name) {
    for (const CRequisite& record : records) {
        if (record.m_strName == name) {
            return &record;
        }
    }
    return nullptr;
}
