#include "requisites/BikDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

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

bool ParseParticipant(const QByteArrayList& fields, BikDirectory::Participant* p) {
    if (fields.size() != kParticipantFields || fields.at(1).isEmpty()) {
        return false;
    }
    p->bik = QString::fromUtf8(fields.at(1));
    p->type = QString::fromUtf8(fields.at(2));
    p->deleted = fields.at(3) == "1";
    p->deletedSince = ParseDate(fields.at(4));
    p->name = QString::fromUtf8(fields.at(5));
    p->settlementType = QString::fromUtf8(fields.at(6));
    p->settlement = QString::fromUtf8(fields.at(7));
    p->accountHolderName = QString::fromUtf8(fields.at(8));
    return ParseRestrictions(fields.at(9), &p->restrictions);
}

bool ParseAccount(const QByteArrayList& fields, BikDirectory::Account* account) {
    if (fields.size() != kAccountFields || fields.at(1).isEmpty()) {
        return false;
    }
    account->number = QString::fromUtf8(fields.at(1));
    account->type = QString::fromUtf8(fields.at(2));
    return ParseRestrictions(fields.at(3), &account->restrictions);
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

bool BikDirectory::FromKeptBytes(const QByteArray& bytes, BikDirectory* directory) {
    *directory = {};
    if (!bytes.endsWith(kLine)) {
        return false;
    }
    QByteArrayList lines = bytes.split(kLine);
    lines.removeLast();  // after the last line end
    if (lines.isEmpty()) {
        return false;
    }
    const QByteArrayList header = lines.takeFirst().split(kField);
    bool countOk = false;
    if (header.size() != 4 || header.at(0) != kKeptSignature || header.at(1) != kKeptVersion) {
        return false;
    }
    directory->m_date = ParseDate(header.at(2));
    const qsizetype count = header.at(3).toLongLong(&countOk);
    Participant participant;
    bool open = false;
    for (const QByteArray& line : lines) {
        const QByteArrayList fields = line.split(kField);
        if (fields.first() == kParticipantTag) {
            if (open && !directory->Add(participant)) {
                return false;
            }
            participant = {};
            open = ParseParticipant(fields, &participant);
            if (!open) {
                return false;
            }
        } else if (fields.first() == kAccountTag && open) {
            Account account;
            if (!ParseAccount(fields, &account)) {
                return false;
            }
            participant.accounts.append(account);
        } else {
            return false;
        }
    }
    if (open && !directory->Add(participant)) {
        return false;
    }
    return countOk && directory->m_date.isValid() && directory->Count() == count;
}

QString BikDirectory::KeptFilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(kKeptFileName);
}

bool BikDirectory::SaveKept(QString* error) const {
    const QString path = KeptFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("не удается создать папку %1")
                     .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        return false;
    }
    return SafeSave::ReplaceFile(path, ToKeptBytes(), error);
}

BikDirectory::KeptOutcome BikDirectory::LoadKept(BikDirectory* directory) {
    *directory = {};
    QByteArray bytes;
    const RegularFile::ReadResult read = RegularFile::Read(KeptFilePath(), &bytes);
    if (read == RegularFile::ReadResult::Missing) {
        return KeptOutcome::Absent;
    }
    if (read != RegularFile::ReadResult::Ok || !FromKeptBytes(bytes, directory)) {
        *directory = {};
        return KeptOutcome::Damaged;
    }
    return KeptOutcome::Loaded;
}

BikDirectory BikDirectory::Kept() {
    BikDirectory directory;
    LoadKept(&directory);
    return directory;
}
