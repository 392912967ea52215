#include "requisites/RequisitesFile.h"

namespace RequisitesFile {
namespace {

// The members of a record in the order of its lines in the file.
constexpr QString CRequisite::*kFileOrder[kLinesPerRecord] = {
    &CRequisite::m_strName,   &CRequisite::m_strBank,     &CRequisite::m_strBik,
    &CRequisite::m_strInnKpp, &CRequisite::m_strAccount1, &CRequisite::m_strAccount2,
};

}  // namespace

QString FileName(int nKind) {
    return nKind == kPayersKind ? QStringLiteral("pltRecv.dat") : QStringLiteral("polRecv.dat");
}

QString ArchiveCaption(int nKind) {
    return nKind == kPayersKind ? QStringLiteral("Архив реквизитов плательщика")
                                : QStringLiteral("Архив реквизитов получателя");
}

QString CannotReadMessage() {
    return QStringLiteral("Не могу прочитать реквизиты");
}

QString CannotWriteMessage() {
    return QStringLiteral("Не могу записать реквизиты");
}

CRequisiteArray FromLines(const QStringList& lines) {
    CRequisiteArray requisites;
    for (qsizetype first = 0; first < lines.size(); first += kLinesPerRecord) {
        CRequisite record;
        for (int field = 0; field < kLinesPerRecord && first + field < lines.size(); ++field) {
            record.*kFileOrder[field] = lines.at(first + field);
        }
        requisites.append(record);
    }
    return requisites;
}

QStringList ToLines(const CRequisiteArray& requisites) {
    QStringList lines;
    lines.reserve(requisites.size() * kLinesPerRecord);
    for (const CRequisite& record : requisites) {
        for (QString CRequisite::*member : kFileOrder) {
            lines.append(record.*member);
        }
    }
    return lines;
}

LineFile::ReadResult Read(const QString& path, CRequisiteArray* requisites) {
    QStringList lines;
    const LineFile::ReadResult result = LineFile::Read(path, &lines);
    *requisites = FromLines(lines);
    return result;
}

bool Write(const QString& path, const CRequisiteArray& requisites) {
    return LineFile::Write(path, ToLines(requisites));
}

}  // namespace RequisitesFile
