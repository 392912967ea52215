#include "routine/BackupSummary.h"

#include <QStringList>

#include "common/Cp1251.h"
#include "common/LineFile.h"
#include "common/RussianPlural.h"
#include "requisites/RequisitesFile.h"
#include "routine/KeptData.h"

namespace {

qsizetype RecordsIn(const QByteArray& bytes) {
    QStringList lines;
    LineFile::Scanner scanner(bytes);
    QByteArrayView line;
    while (scanner.Next(&line)) {
        lines.append(Cp1251::Decode(line.toByteArray()));
    }
    return RequisitesFile::FromLines(lines).size();
}

QString Count(qsizetype count, const QString& one, const QString& few, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(RussianPlural(count, one, few, many));
}

}  // namespace

QString BackupSummary::Text() const {
    QStringList lines = {QStringLiteral("Копия данных от %1 из папки %2")
                             .arg(made.toString(QStringLiteral("dd.MM.yyyy HH:mm")), folder)};
    for (const Part& part : parts) {
        QString count;
        if (!part.present) {
            count = QStringLiteral("нет");
        } else if (part.files == 0 && part.records == 0) {
            count = QStringLiteral("пусто");
        } else if (part.records > 0) {
            count = Count(part.records, QStringLiteral("запись"), QStringLiteral("записи"),
                          QStringLiteral("записей"));
        } else {
            count = Count(part.files, QStringLiteral("файл"), QStringLiteral("файла"),
                          QStringLiteral("файлов"));
        }
        lines.append(QStringLiteral("%1: %2").arg(part.caption, count));
    }
    return lines.join(u'\n');
}

BackupSummary::Counter::Counter() {
    for (const KeptData& part : KeptData::All()) {
        m_parts.append({part.caption, false, 0, 0});
    }
}

void BackupSummary::Counter::Folder(const QString& name) {
    const int part = KeptData::PartOf(name, true);
    if (part >= 0) {
        m_parts[part].present = true;
    }
}

void BackupSummary::Counter::File(const QString& name, const QByteArray& bytes) {
    const int part = KeptData::PartOf(name, false);
    if (part < 0) {
        return;
    }
    Part& counted = m_parts[part];
    counted.present = true;
    if (KeptData::All().at(part).kind == KeptData::Kind::Book) {
        counted.records = RecordsIn(bytes);
    } else {
        ++counted.files;
    }
}

BackupSummary BackupSummary::Counter::Summary(const QDateTime& made, const QString& folder) const {
    return {made, folder, m_parts};
}
