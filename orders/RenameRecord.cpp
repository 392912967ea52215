#include "orders/RenameRecord.h"

#include <fcntl.h>
#include <sys/file.h>

#include <QFile>
#include <cerrno>

#include "common/LineFile.h"
#include "common/QuotedValue.h"
#include "orders/WorkingFolder.h"

namespace {

const QString kSignature = QStringLiteral("VemoRenaming=1");
const QString kKind = QStringLiteral("Kind");
const QString kOld = QStringLiteral("Old");
const QString kNew = QStringLiteral("New");
const QString kBook = QStringLiteral("Book");
const QString kKept = QStringLiteral("Kept");
const QString kPayers = QStringLiteral("payers");
const QString kRecipients = QStringLiteral("recipients");

QString Line(const QString& key, const QString& value) {
    return key + QLatin1Char('=') + value;
}

}  // namespace

QString RenameRecord::FileName() {
    return QStringLiteral("Vemo/renaming");
}

RenameRecord::Found RenameRecord::Read(const WorkingFolder& folder, RenameRecord* record,
                                       QString* problem) {
    QStringList lines;
    switch (LineFile::Read(folder.PathOf(FileName()), &lines)) {
        case LineFile::ReadResult::Missing:
            return Found::None;
        case LineFile::ReadResult::Unreadable:
            *problem = QStringLiteral("файл не читается");
            return Found::Unreadable;
        case LineFile::ReadResult::Ok:
            break;
    }
    // "key=value" lines; a name may hold "=" itself, a value runs to the end of its line.
    QHash<QString, QString> values;
    for (const QString& line : lines.mid(1)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) {
            values.insert(line.left(equals), line.mid(equals + 1));
        }
    }
    const QString kind = values.value(kKind);
    const QByteArray book = QByteArray::fromHex(values.value(kBook).toLatin1());
    if (lines.value(0) != kSignature || (kind != kPayers && kind != kRecipients) ||
        !values.contains(kOld) || !values.contains(kNew) || !values.contains(kBook)) {
        *problem = QStringLiteral(
                       "это не запись о переименовании, сделанная программой: "
                       "первая строка %1")
                       .arg(QuotedValue(lines.value(0)));
        return Found::Unreadable;
    }
    record->nKind = kind == kPayers ? kPayersKind : kRecipientsKind;
    record->oldName = values.value(kOld);
    record->newName = values.value(kNew);
    record->bookBefore = book;
    // Order files are named without blanks; a record of an earlier version has no such line.
    record->kept = values.value(kKept).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return Found::Read;
}

bool RenameRecord::Write(const WorkingFolder& folder, QString* error) const {
    const QStringList lines{kSignature,
                            Line(kKind, nKind == kPayersKind ? kPayers : kRecipients),
                            Line(kOld, oldName),
                            Line(kNew, newName),
                            Line(kBook, QString::fromLatin1(bookBefore.toHex())),
                            Line(kKept, kept.join(QLatin1Char(' ')))};
    return LineFile::Write(folder.PathOf(FileName()), lines, error);
}

void RenameRecord::Remove(const WorkingFolder& folder) {
    QFile::remove(folder.PathOf(FileName()));
}

bool RenameRecord::Hold(const WorkingFolder& folder, FileDescriptor* held) {
    held->Reset(open(QFile::encodeName(folder.PathOf(FileName())).constData(),
                     O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    // A filesystem without locks lets every rename go on, as it does every save.
    if (held->IsOpen() && flock(held->Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        held->Reset();
        return false;
    }
    return true;
}
