#include "requisites/RequisitesFile.h"

#include "common/Cp1251.h"
#include "common/QuotedValue.h"
#include "common/RegularFile.h"

namespace RequisitesFile {
namespace {

// The members of a record in the order of its lines in the file.
constexpr QString CRequisite::*kFileOrder[kLinesPerRecord] = {
    &CRequisite::m_strName,   &CRequisite::m_strBank,     &CRequisite::m_strBik,
    &CRequisite::m_strInnKpp, &CRequisite::m_strAccount1, &CRequisite::m_strAccount2,
};

// The record whose name line the scanner has just passed; missing lines give empty fields.
CRequisite RecordFrom(QByteArrayView nameLine, LineFile::Scanner* scanner) {
    CRequisite record;
    record.m_strName = Cp1251::Decode(nameLine.toByteArray());
    QByteArrayView line;
    for (int field = 1; field < kLinesPerRecord && scanner->Next(&line); ++field) {
        record.*kFileOrder[field] = Cp1251::Decode(line.toByteArray());
    }
    return record;
}

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

QString NotInBookMessage(int nKind, const QString& name) {
    return QStringLiteral("%1 %2 не найден в %3")
        .arg(nKind == kPayersKind ? QStringLiteral("плательщик") : QStringLiteral("получатель"),
             QuotedValue(name), FileName(nKind));
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

LineFile::ReadResult FindByName(const QString& path, const QString& name, CRequisite* record,
                                bool* found) {
    *found = false;
    QByteArray bytes;
    const LineFile::ReadResult result = RegularFile::Read(path, &bytes);
    if (result != LineFile::ReadResult::Ok) {
        return result;
    }
    // Every byte decodes to a character, so a name the code page cannot hold is in no file.
    if (!Cp1251::CanEncode(name)) {
        return LineFile::ReadResult::Ok;
    }
    const QByteArray wanted = Cp1251::Encode(name);
    LineFile::Scanner scanner(bytes);
    QByteArrayView line;
    for (qsizetype index = 0; scanner.Next(&line); ++index) {
        if (index % kLinesPerRecord != 0 || line != wanted) {
            continue;
        }
        *record = RecordFrom(line, &scanner);
        *found = true;
        return LineFile::ReadResult::Ok;
    }
    return LineFile::ReadResult::Ok;
}

bool Write(const QString& path, const CRequisiteArray& requisites, QString* error) {
    return LineFile::Write(path, ToLines(requisites), error);
}

}  // namespace RequisitesFile
