#include "bank/StatementAnswers.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

#include "bank/KeptFiles.h"
#include "common/QuotedValue.h"
#include "common/RegularFile.h"
#include "common/SafeSave.h"
#include "orders/WorkingFolder.h"

namespace {

const QString kNone = QStringLiteral("-");

}  // namespace

const QString& StatementAnswers::FileName() {
    static const QString name =
        QString::fromLatin1(KeptFiles::kFolder) + QStringLiteral("/answers.txt");
    return name;
}

QString StatementAnswers::Key(const QString& statement, qsizetype line) {
    return statement + u'\t' + QString::number(line);
}

bool StatementAnswers::Read(const WorkingFolder& folder, StatementAnswers* answers,
                            QString* error) {
    *answers = StatementAnswers();
    QByteArray bytes;
    switch (RegularFile::Read(folder.PathOf(FileName()), &bytes)) {
        case RegularFile::ReadResult::Missing:
            return true;
        case RegularFile::ReadResult::Unreadable:
            *error = QStringLiteral("%1 не читается").arg(FileName());
            return false;
        case RegularFile::ReadResult::Ok:
            break;
    }
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.trimmed().split(u'\t');
        bool isNumber = false;
        const qsizetype at = parts.value(1).toLongLong(&isNumber);
        if (parts.size() != 3 || !isNumber || parts[0].isEmpty() || parts[2].isEmpty()) {
            *answers = StatementAnswers();
            *error = QStringLiteral("%1 поврежден: строка %2")
                         .arg(FileName(), QuotedValue(line.trimmed()));
            return false;
        }
        answers->Set(parts[0], at, parts[2] == kNone ? QString() : parts[2]);
    }
    return true;
}

bool StatementAnswers::Save(const WorkingFolder& folder, QString* error) const {
    QStringList lines;
    for (auto it = m_orders.cbegin(); it != m_orders.cend(); ++it) {
        lines.append(it.key() + u'\t' + (it.value().isEmpty() ? kNone : it.value()));
    }
    std::sort(lines.begin(), lines.end());  // the same answers make the same file
    QString text = lines.join(u'\n');
    if (!text.isEmpty()) {
        text += u'\n';
    }
    QDir().mkpath(folder.PathOf(QString::fromLatin1(KeptFiles::kFolder)));
    return SafeSave::ReplaceFile(folder.PathOf(FileName()), text.toUtf8(), error,
                                 SafeSave::AtLink::Replace);
}

std::optional<QString> StatementAnswers::OrderOf(const QString& statement, qsizetype line) const {
    const auto found = m_orders.constFind(Key(statement, line));
    return found == m_orders.cend() ? std::nullopt : std::optional<QString>(*found);
}

void StatementAnswers::Set(const QString& statement, qsizetype line, const QString& orderFile) {
    m_orders.insert(Key(statement, line), orderFile);
}
