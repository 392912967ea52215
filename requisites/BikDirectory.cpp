#include "requisites/BikDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "common/QuotedValue.h"
#include "common/RegularFile.h"
#include "common/SafeSave.h"
#include "requisites/RequisiteChecks.h"

namespace {

// The kept form: UTF-8 text, one line a participant followed by one line an account, fields
// parted by tabs, under a header line that names the form, the date and the participant count.
const QByteArray kKeptSignature = "Vemo BIK directory";
const QByteArray kKeptVersion = "1";
const QByteArray kParticipantTag = "P";
const QByteArray kAccountTag = "A";
constexpr char kField = '\t';
constexpr char kLine = '\n';
constexpr qsizetype kParticipantFields = 10;
constexpr qsizetype kAccountFields = 4;
constexpr qsizetype kBikLength = 9;

const QString kKeptFileName = QStringLiteral("bik-directory.txt");

struct KnownRestriction {
    const char* code;
    const char* text;
};
const KnownRestriction kKnownRestrictions[] = {
    {"URRS", "ограничено участие в переводах"},
    {"LWRS", "отозвана лицензия"},
    {"MRTR", "введен мораторий на удовлетворение требований кредиторов"},
};

QString ShownDate(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

// A text as one field: tabs and line breaks would break the line apart.
QByteArray Field(const QString& text) {
    QByteArray bytes = text.toUtf8();
    for (char& c : bytes) {
        if (c == kField || c == kLine || c == '\r') {
            c = ' ';
        }
    }
    return bytes;
}

QByteArray DateField(const QDate& date) {
    return date.isValid() ? date.toString(Qt::ISODate).toLatin1() : QByteArray();
}

QDate ParseDate(const QByteArray& field) {
    return QDate::fromString(QString::fromLatin1(field), Qt::ISODate);
}

QByteArray RestrictionsField(const QList<BikDirectory::Restriction>& restrictions) {
    QByteArrayList parts;
    for (const BikDirectory::Restriction& restriction : restrictions) {
        parts.append(Field(restriction.code) + ':' + DateField(restriction.since));
    }
    return parts.join(',');
}

bool ParseRestrictions(const QByteArray& field, QList<BikDirectory::Restriction>* restrictions) {
    if (field.isEmpty()) {
        return true;
    }
    for (const QByteArray& part : field.split(',')) {
        const QByteArrayList codeAndDate = part.split(':');
        if (codeAndDate.size() != 2 || codeAndDate.at(0).isEmpty()) {
            return false;
        }
        restrictions->append({QString::fromUtf8(codeAndDate.at(0)), ParseDate(codeAndDate.at(1))});
    }
    return true;
}

QString RestrictionsProblem(const QByteArray& field) {
    return QStringLiteral(
               "ограничения %1 не читаются: код ограничения пуст или содержит «,» или «:»")
        .arg(QuotedValue(QString::fromUtf8(field)));
}

QString FieldCountProblem(const char* what, qsizetype count, qsizetype expected) {
    return QStringLiteral("у %1 полей %2 вместо %3")
        .arg(QString::fromUtf8(what))
        .arg(count)
        .arg(expected);
}

QByteArray ParticipantLine(const BikDirectory::Participant& p) {
    const QByteArrayList fields{kParticipantTag,
                                Field(p.bik),
                                Field(p.type),
                                p.deleted ? "1" : "0",
                                DateField(p.deletedSince),
                                Field(p.name),
                                Field(p.settlementType),
                                Field(p.settlement),
                                Field(p.accountHolderName),
                                RestrictionsField(p.restrictions)};
    return fields.join(kField) + kLine;
}

QByteArray AccountLine(const BikDirectory::Account& account) {
    const QByteArrayList fields{kAccountTag, Field(account.number), Field(account.type),
                                RestrictionsField(account.restrictions)};
    return fields.join(kField) + kLine;
}

// Why the fields do not make a participant; empty when they do.
QString ParseParticipant(const QByteArrayList& fields, BikDirectory::Participant* p) {
    if (fields.size() != kParticipantFields) {
        return FieldCountProblem("участника", fields.size(), kParticipantFields);
    }
    if (fields.at(1).isEmpty()) {
        return QStringLiteral("у участника нет БИК");
    }
    p->bik = QString::fromUtf8(fields.at(1));
    p->type = QString::fromUtf8(fields.at(2));
    p->deleted = fields.at(3) == "1";
    p->deletedSince = ParseDate(fields.at(4));
    p->name = QString::fromUtf8(fields.at(5));
    p->settlementType = QString::fromUtf8(fields.at(6));
    p->settlement = QString::fromUtf8(fields.at(7));
    p->accountHolderName = QString::fromUtf8(fields.at(8));
    return ParseRestrictions(fields.at(9), &p->restrictions) ? QString()
                                                             : RestrictionsProblem(fields.at(9));
}

// Why the fields do not make an account; empty when they do.
QString ParseAccount(const QByteArrayList& fields, BikDirectory::Account* account) {
    if (fields.size() != kAccountFields) {
        return FieldCountProblem("счета", fields.size(), kAccountFields);
    }
    if (fields.at(1).isEmpty()) {
        return QStringLiteral("у счета нет номера");
    }
    account->number = QString::fromUtf8(fields.at(1));
    account->type = QString::fromUtf8(fields.at(2));
    if (!ParseRestrictions(fields.at(3), &account->restrictions)) {
        return QStringLiteral("счет %1: ").arg(account->number) + RestrictionsProblem(fields.at(3));
    }
    return QString();
}

}  // namespace

bool BikDirectory::IsBik(QStringView text) {
    return text.size() == kBikLength &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

const BikDirectory::Participant* BikDirectory::Find(QStringView bik) const {
    const auto found = m_index.constFind(RequisiteChecks::WithoutBlanks(bik));
    return found == m_index.constEnd() ? nullptr : &m_participants.at(found.value());
}

bool BikDirectory::Add(const Participant& participant) {
    if (m_index.contains(participant.bik)) {
        return false;
    }
    m_index.insert(participant.bik, m_participants.size());
    m_participants.append(participant);
    return true;
}

void BikDirectory::SetAccountHolderName(const QString& bik, const QString& name) {
    if (const auto found = m_index.constFind(bik); found != m_index.constEnd()) {
        m_participants[found.value()].accountHolderName = name;
    }
}

QString BikDirectory::BankText(const Participant& participant) {
    QString text = participant.name;
    // A treasury body is named after the division that keeps its account, as "ОКЦ № 7 ГУ Банка
    // России по ЦФО//УФК по Тульской области"; a name that says so already is taken as it is.
    if (!participant.accountHolderName.isEmpty() && !text.contains(QLatin1String("//"))) {
        text = participant.accountHolderName + QStringLiteral("//") + text;
    }
    const QString town = QStringList{participant.settlementType, participant.settlement}
                             .join(QLatin1Char(' '))
                             .trimmed();
    return town.isEmpty() ? text : text + QStringLiteral(", ") + town;
}

QString BikDirectory::CorrespondentAccount(const Participant& participant) {
    return participant.accounts.isEmpty() ? QString() : participant.accounts.first().number;
}

bool BikDirectory::IsTreasuryBody(const Participant& participant) {
    // The Federal Treasury (51) and its bodies in the regions (52).
    return participant.type == QLatin1String("51") || participant.type == QLatin1String("52") ||
           CorrespondentAccount(participant).startsWith(QLatin1String("40102"));
}

QString BikDirectory::RestrictionText(const Restriction& restriction) {
    QString text = QStringLiteral("ограничение %1").arg(restriction.code);
    for (const KnownRestriction& known : kKnownRestrictions) {
        if (restriction.code == QLatin1String(known.code)) {
            text = QString::fromUtf8(known.text);
        }
    }
    return restriction.since.isValid() ? text + QStringLiteral(" с ") + ShownDate(restriction.since)
                                       : text;
}

QStringList BikDirectory::PaymentObstacles(const Participant& participant) {
    QStringList obstacles;
    if (participant.deleted) {
        obstacles.append(participant.deletedSince.isValid()
                             ? QStringLiteral("исключен из справочника с %1")
                                   .arg(ShownDate(participant.deletedSince))
                             : QStringLiteral("исключен из справочника"));
    }
    for (const Restriction& restriction : participant.restrictions) {
        obstacles.append(RestrictionText(restriction));
    }
    return obstacles;
}

QByteArray BikDirectory::ToKeptBytes() const {
    QByteArray bytes = QByteArrayList{kKeptSignature, kKeptVersion, DateField(m_date),
                                      QByteArray::number(m_participants.size())}
                           .join(kField) +
                       kLine;
    for (const Participant& participant : m_participants) {
        bytes += ParticipantLine(participant);
        for (const Account& account : participant.accounts) {
            bytes += AccountLine(account);
        }
    }
    return bytes;
}

bool BikDirectory::FromKeptBytes(const QByteArray& bytes, BikDirectory* directory,
                                 QString* problem) {
    QString reason;
    problem = problem ? problem : &reason;
    *directory = {};
    const auto fail = [directory, problem](const QString& why) {
        *directory = {};
        *problem = why;
        return false;
    };
    if (bytes.isEmpty()) {
        return fail(QStringLiteral("файл пуст"));
    }
    if (!bytes.endsWith(kLine)) {
        return fail(QStringLiteral("файл оборван: последняя строка не дописана"));
    }
    QByteArrayList lines = bytes.split(kLine);
    lines.removeLast();  // after the last line end
    const QByteArrayList header = lines.first().split(kField);
    if (header.size() != 4 || header.at(0) != kKeptSignature || header.at(1) != kKeptVersion) {
        return fail(QStringLiteral("это не справочник БИК, сохраненный программой"));
    }
    directory->m_date = ParseDate(header.at(2));
    if (!directory->m_date.isValid()) {
        return fail(QStringLiteral("в заголовке нет даты справочника"));
    }
    Participant participant;
    bool open = false;
    const auto added = [&] { return !open || directory->Add(participant); };
    const QString twice = QStringLiteral("БИК %1 встречается дважды");
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArrayList fields = lines.at(i).split(kField);
        const bool participantLine = fields.first() == kParticipantTag;
        // Where the reader stumbled: the participant's BIK, or the line when there is none.
        const QString bik = participantLine ? QString::fromUtf8(fields.value(1)) : participant.bik;
        const QString at =
            bik.isEmpty() ? QStringLiteral("строка %1").arg(i + 1) : QStringLiteral("БИК ") + bik;
        QString wrong;
        if (participantLine) {
            if (!added()) {
                return fail(twice.arg(participant.bik));
            }
            participant = {};
            wrong = ParseParticipant(fields, &participant);
            open = true;
        } else if (fields.first() == kAccountTag && open) {
            Account account;
            wrong = ParseAccount(fields, &account);
            participant.accounts.append(account);
        } else {
            wrong = QStringLiteral("строка не участника и не его счета");
        }
        if (!wrong.isEmpty()) {
            return fail(at + QStringLiteral(": ") + wrong);
        }
    }
    if (!added()) {
        return fail(twice.arg(participant.bik));
    }
    bool countOk = false;
    const qsizetype count = header.at(3).toLongLong(&countOk);
    if (!countOk || directory->Count() != count) {
        return fail(QStringLiteral("участников в файле %1, а в заголовке %2")
                        .arg(directory->Count())
                        .arg(QuotedValue(QString::fromUtf8(header.at(3)))));
    }
    return true;
}

QString BikDirectory::KeptFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(kKeptFileName);
}

BikDirectory::KeepOutcome BikDirectory::SaveKept(QString* error) const {
    // What is kept is read back first, by the reader that will load it: a directory that would
    // not come back never replaces the one kept.
    const QByteArray bytes = ToKeptBytes();
    BikDirectory readBack;
    if (!FromKeptBytes(bytes, &readBack, error)) {
        return KeepOutcome::WouldNotReadBack;
    }
    const QString path = KeptFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("не удается создать папку %1")
                     .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        return KeepOutcome::NotWritten;
    }
    return SafeSave::ReplaceFile(path, bytes, error) ? KeepOutcome::Kept : KeepOutcome::NotWritten;
}

BikDirectory::KeptOutcome BikDirectory::LoadKept(BikDirectory* directory, QString* problem) {
    *directory = {};
    QByteArray bytes;
    const RegularFile::ReadResult read = RegularFile::Read(KeptFilePath(), &bytes);
    if (read == RegularFile::ReadResult::Missing) {
        return KeptOutcome::Absent;
    }
    QString reason = QStringLiteral("файл не читается");
    if (read != RegularFile::ReadResult::Ok || !FromKeptBytes(bytes, directory, &reason)) {
        if (problem) {
            *problem = reason;
        }
        return KeptOutcome::Damaged;
    }
    return KeptOutcome::Loaded;
}

QString BikDirectory::DamagedKeptMessage(const QString& problem) {
    return QStringLiteral(
               "Справочник БИК %1 поврежден и не читается (%2). Пока он не загружен заново "
               "(Архив → Справочник БИК…), БИК по справочнику не проверяются.")
        .arg(QDir::toNativeSeparators(KeptFilePath()), problem);
}

BikDirectory BikDirectory::Kept() {
    BikDirectory directory;
    LoadKept(&directory);
    return directory;
}
