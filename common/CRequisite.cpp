#include "common/CRequisite.h"

#include <QRegularExpression>

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

namespace {

QString WithoutBlanks(const QString& text) {
    QString result = text;
    result.removeIf([](QChar c) { return c.isSpace(); });
    return result;
}

}  // namespace

InnKpp SplitInnKpp(const QString& innKpp) {
    static const QRegularExpression kSeparator(QStringLiteral("[/\\\\]"));
    const qsizetype slash = innKpp.indexOf(kSeparator);
    if (slash >= 0) {
        return {WithoutBlanks(innKpp.left(slash)), WithoutBlanks(innKpp.mid(slash + 1))};
    }
    const QStringList words = innKpp.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.size() == 2 && (words[0].size() == 10 || words[0].size() == 12) &&
        words[1].size() == 9) {
        return {words[0], words[1]};
    }
    return {WithoutBlanks(innKpp), QString()};
}
