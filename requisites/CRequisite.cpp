#include "requisites/CRequisite.h"

bool CRequisite::operator==(const CRequisite& other) const {
    return m_strName == other.m_strName && m_strBank == other.m_strBank &&
           m_strInnKpp == other.m_strInnKpp && m_strBik == other.m_strBik &&
           m_strAccount1 == other.m_strAccount1 && m_strAccount2 == other.m_strAccount2;
}
