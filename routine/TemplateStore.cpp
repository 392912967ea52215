#include "routine/TemplateStore.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "common/DesktopTrash.h"
#include "common/LineFile.h"
#include "common/StorableText.h"
#include "orders/OrderTexts.h"
#include "routine/TemplateFile.h"

namespace {

const QString kFolder = QStringLiteral("Templates");
const QString kPrefix = QStringLiteral("template.");
const QString kLastCheckFile = QStringLiteral("Templates/last-check");
const QString kLastCheckKey = QStringLiteral("LastCheck=");
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
constexpr int kMostNameLength = 100;

// The id in a template file's name: decimal without sign or leading zeros, 1 or more; 0 else.
int IdOf(const QString& fileName) {
    if (!fileName.startsWith(kPrefix)) {
        return 0;
    }
    const QString digits = fileName.mid(kPrefix.size());
    bool ok = false;
    const int id = digits.toInt(&ok);
    return ok && id > 0 && digits == QString::number(id) ? id : 0;
}

// LineFile::Write gives no reason for a text the file cannot keep.
QString NotWritten(const QString& file, const QString& reason) {
    return QStringLiteral("Не могу записать %1: %2")
        .arg(file, reason.isEmpty() ? QStringLiteral("в нем есть знаки, которые нельзя записать "
                                                     "в файл")
                                    : reason);
}

}  // namespace

QString TemplateList::DamagedMessage() const {
    if (damaged.isEmpty()) {
        return QString();
    }
    QStringList lines = {QStringLiteral("Не могу прочитать шаблоны:")};
    for (const DamagedTemplate& each : damaged) {
        lines.append(QStringLiteral("%1: %2").arg(each.file, each.reason));
    }
    return lines.join(QLatin1Char('\n'));
}

const OrderTemplate* TemplateList::Find(int id) const {
    for (const OrderTemplate& each : templates) {
        if (each.id == id) {
            return &each;
        }
    }
    return nullptr;
}

TemplateStore::TemplateStore(const QDir& workingFolder) : m_folder(workingFolder) {}

QString TemplateStore::FolderName() {
    return kFolder;
}

QString TemplateStore::FileName(int id) {
    return kFolder + QLatin1Char('/') + kPrefix + QString::number(id);
}

QString TemplateStore::PathOf(const QString& name) const {
    return m_folder.filePath(name);
}

QList<int> TemplateStore::Ids() const {
    QList<int> ids;
    const QStringList names = QDir(PathOf(kFolder)).entryList(QDir::AllEntries | QDir::System);
    for (const QString& name : names) {
        if (const int id = IdOf(name)) {
            ids.append(id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool TemplateStore::Read(int id, OrderTemplate* orderTemplate, QString* error) const {
    QStringList lines;
    if (LineFile::Read(PathOf(FileName(id)), &lines) != LineFile::ReadResult::Ok) {
        *error = QStringLiteral("файл не прочитать");
        return false;
    }
    if (!TemplateFile::FromLines(lines, orderTemplate, error)) {
        return false;
    }
    orderTemplate->id = id;
    return true;
}

TemplateList TemplateStore::ReadAll() const {
    TemplateList list;
    for (int id : Ids()) {
        OrderTemplate orderTemplate;
        QString reason;
        if (Read(id, &orderTemplate, &reason)) {
            list.templates.append(orderTemplate);
        } else {
            list.damaged.append({FileName(id), reason});
        }
    }
    return list;
}

bool TemplateStore::Write(const OrderTemplate& orderTemplate, QString* error) const {
    const QString file = FileName(orderTemplate.id);
    if (!m_folder.mkpath(kFolder)) {
        *error = NotWritten(file, QStringLiteral("не могу создать папку %1").arg(kFolder));
        return false;
    }
    QString reason;
    if (!LineFile::Write(PathOf(file), TemplateFile::ToLines(orderTemplate), &reason)) {
        *error = NotWritten(file, reason);
        return false;
    }
    return true;
}

QString TemplateStore::Refusal(const QString& name, const Recurrence& recurrence, int other) const {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return QStringLiteral("Напишите имя шаблона");
    }
    if (trimmed.size() > kMostNameLength) {
        return QStringLiteral("Имя шаблона длиннее %1 знаков").arg(kMostNameLength);
    }
    const UnstorableText unstorable = FindUnstorableText(trimmed);
    if (unstorable.first >= 0) {
        return QStringLiteral("В имени шаблона есть знаки, которые нельзя записать в файл: %1")
            .arg(unstorable.Names());
    }
    for (const OrderTemplate& each : ReadAll().templates) {
        if (each.id != other && each.name.trimmed().compare(trimmed, Qt::CaseInsensitive) == 0) {
            return QStringLiteral("Шаблон «%1» уже есть").arg(each.name);
        }
    }
    const QString problem = recurrence.Problem();
    return problem.isEmpty() ? QString() : QStringLiteral("Повтор платежа: %1").arg(problem);
}

bool TemplateStore::Add(const QString& name, const OrderRow& order, const Recurrence& recurrence,
                        const QDate& today, OrderTemplate* added, QString* error) const {
    *error = Refusal(name, recurrence, 0);
    if (!error->isEmpty()) {
        return false;
    }
    OrderTemplate orderTemplate;
    const QList<int> ids = Ids();  // a damaged file keeps its number too
    orderTemplate.id = ids.isEmpty() ? 1 : ids.last() + 1;
    orderTemplate.name = name.trimmed();
    orderTemplate.order = order;
    const QDate date = OrderTexts::DateFromText(order[kColumnDate]);
    const QDate from = date.isValid() ? date : today;
    orderTemplate.month = QDate(from.year(), from.month(), 1);
    orderTemplate.recurrence = recurrence;
    if (!Write(orderTemplate, error)) {
        return false;
    }
    *added = orderTemplate;
    return true;
}

bool TemplateStore::Replace(const OrderTemplate& changed, QString* error) const {
    *error = Refusal(changed.name, changed.recurrence, changed.id);
    if (!error->isEmpty()) {
        return false;
    }
    return Update(
        changed.id,
        [&changed](OrderTemplate* stored) {
            stored->name = changed.name.trimmed();
            stored->recurrence = changed.recurrence;
        },
        error);
}

bool TemplateStore::Remove(int id, QString* error) const {
    const QFileInfo info(PathOf(FileName(id)));
    if (!info.isDir() &&
        (DesktopTrash::MoveToTrash(info.filePath()) == DesktopTrash::Result::Trashed ||
         QFile::remove(info.filePath()))) {
        return true;
    }
    *error = QStringLiteral("Не могу удалить %1").arg(FileName(id));
    return false;
}

bool TemplateStore::Update(int id, const std::function<void(OrderTemplate*)>& change,
                           QString* error) const {
    OrderTemplate stored;
    QString reason;
    if (!Read(id, &stored, &reason)) {
        *error = QStringLiteral("Не могу прочитать шаблон %1: %2").arg(FileName(id), reason);
        return false;
    }
    change(&stored);
    return Write(stored, error);
}

bool TemplateStore::MarkMade(int id, const QString& key, int number, QString* error) const {
    return Update(
        id,
        [&](OrderTemplate* stored) {
            stored->made.insert(key, number);
            stored->skipped.removeAll(key);
        },
        error);
}

bool TemplateStore::Skip(int id, const QString& key, QString* error) const {
    return Update(
        id,
        [&](OrderTemplate* stored) {
            if (!stored->skipped.contains(key)) {
                stored->skipped.append(key);
            }
        },
        error);
}

QDate TemplateStore::LastCheck() const {
    QStringList lines;
    if (LineFile::Read(PathOf(kLastCheckFile), &lines) != LineFile::ReadResult::Ok ||
        lines.isEmpty() || !lines.first().startsWith(kLastCheckKey)) {
        return QDate();
    }
    return QDate::fromString(lines.first().mid(kLastCheckKey.size()), kDateFormat);
}

bool TemplateStore::RecordCheck(const QDate& day, QString* error) const {
    if (!QFileInfo(PathOf(kFolder)).isDir()) {
        return true;  // no template, nothing was due: the folder is not made for this alone
    }
    QString reason;
    if (!LineFile::Write(PathOf(kLastCheckFile), {kLastCheckKey + day.toString(kDateFormat)},
                         &reason)) {
        *error = NotWritten(kLastCheckFile, reason);
        return false;
    }
    return true;
}
