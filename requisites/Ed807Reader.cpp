#include "requisites/Ed807Reader.h"

#include "common/QuotedValue.h"

#include <QHash>
#include <QXmlStreamReader>

namespace Ed807Reader {
namespace {

// Every version 2 document of the Bank of Russia's formats lives in this namespace.
const QString kNamespacePrefix = QStringLiteral("urn:cbr-ru:ed:v2.");
const QString kFullDirectory = QStringLiteral("FIRR");
const QString kDeletedParticipant = QStringLiteral("PSDL");
const QString kClosedAccount = QStringLiteral("ACDL");
// Account types that payments go through: a bank's correspondent account, and a treasury body's
// single treasury account, which descriptions of the format name either way.
const QStringList kPaymentAccountTypes{QStringLiteral("CRSA"), QStringLiteral("UTRA"),
                                       QStringLiteral("EKSA")};
const QStringList kTreasuryAccountTypes{QStringLiteral("UTRA"), QStringLiteral("EKSA")};
// The single treasury accounts are numbered 40102…, whatever type the file gives them.
const QString kTreasuryAccountPrefix = QStringLiteral("40102");
bool IsTreasuryAccount(const BikDirectory::Account& account) {
    return account.number.startsWith(kTreasuryAccountPrefix) ||
           kTreasuryAccountTypes.contains(account.type);
}

class DocumentReader {
public:
    explicit DocumentReader(const QByteArray& xml) : m_xml(xml) {}

    bool Read(BikDirectory* directory, QString* error) {
        ReadDocument(directory);
        if (m_xml.hasError()) {
            *error = ErrorText();
            *directory = {};
            return false;
        }
        return true;
    }

private:
    // The text of an attribute, with any line breaks or tabs in it made blanks.
    QString Attribute(QLatin1String name) const {
        QString value = m_xml.attributes().value(name).toString().trimmed();
        for (QChar& c : value) {
            if (c.category() == QChar::Other_Control) {
                c = QLatin1Char(' ');
            }
        }
        return value;
    }

    QDate DateAttribute(QLatin1String name) const {
        return QDate::fromString(Attribute(name), Qt::ISODate);
    }

    bool Fail(const QString& text) {
        m_xml.raiseError(text);
        return false;
    }

    void ReadDocument(BikDirectory* directory) {
        if (!m_xml.readNextStartElement()) {
            if (!m_xml.hasError()) {
                Fail(QStringLiteral("в файле нет документа XML"));
            }
            return;
        }
        if (m_xml.name() != QLatin1String("ED807") ||
            !m_xml.namespaceUri().startsWith(kNamespacePrefix)) {
            Fail(QStringLiteral("это не справочник БИК Банка России (ED807), а документ %1")
                     .arg(QuotedValue(m_xml.qualifiedName())));
            return;
        }
        if (!ReadHeader(directory)) {
            return;
        }
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("BICDirectoryEntry")) {
                if (!ReadEntry(directory)) {
                    return;
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
        while (!m_xml.atEnd() && !m_xml.hasError()) {
            m_xml.readNext();  // what follows the directory must be well formed too
        }
        if (!m_xml.hasError()) {
            Finish(directory);
        }
    }

    bool ReadHeader(BikDirectory* directory) {
        const QString kind = Attribute(QLatin1String("InfoTypeCode"));
        if (!kind.isEmpty() && kind != kFullDirectory) {
            return Fail(QStringLiteral("это не полный справочник БИК, а его изменения "
                                       "(InfoTypeCode %1); нужен полный справочник")
                            .arg(QuotedValue(kind)));
        }
        // The business day the directory is for; documents without one carry their own date.
        QDate date = DateAttribute(QLatin1String("BusinessDay"));
        if (!date.isValid()) {
            date = DateAttribute(QLatin1String("EDDate"));
        }
        if (!date.isValid()) {
            return Fail(QStringLiteral("у справочника нет даты (BusinessDay или EDDate)"));
        }
        directory->SetDate(date);
        return true;
    }

    bool ReadEntry(BikDirectory* directory) {
        BikDirectory::Participant participant;
        participant.bik = Attribute(QLatin1String("BIC"));
        if (!BikDirectory::IsBik(participant.bik)) {
            return Fail(QStringLiteral("запись %1: БИК %2 не из 9 цифр")
                            .arg(directory->Count() + 1)
                            .arg(QuotedValue(participant.bik)));
        }
        bool described = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("ParticipantInfo")) {
                described = true;
                if (!ReadParticipantInfo(&participant)) {
                    return false;
                }
            } else if (m_xml.name() == QLatin1String("Accounts")) {
                ReadAccount(&participant);
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (m_xml.hasError()) {
            return false;
        }
        if (!described) {
            return Fail(QStringLiteral("БИК %1: нет сведений об участнике (ParticipantInfo)")
                            .arg(participant.bik));
        }
        if (!directory->Add(participant)) {
            return Fail(
                QStringLiteral("БИК %1 встречается в справочнике дважды").arg(participant.bik));
        }
        return true;
    }

    bool ReadParticipantInfo(BikDirectory::Participant* participant) {
        participant->name = Attribute(QLatin1String("NameP"));
        if (participant->name.isEmpty()) {
            return Fail(
                QStringLiteral("БИК %1: нет наименования участника (NameP)").arg(participant->bik));
        }
        participant->settlementType = Attribute(QLatin1String("Tnp"));
        participant->settlement = Attribute(QLatin1String("Nnp"));
        participant->type = Attribute(QLatin1String("PtType"));
        participant->deletedSince = DateAttribute(QLatin1String("DateOut"));
        participant->deleted =
            Attribute(QLatin1String("ParticipantStatus")) == kDeletedParticipant ||
            participant->deletedSince.isValid();
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("RstrList")) {
                participant->restrictions.append(
                    {Attribute(QLatin1String("Rstr")), DateAttribute(QLatin1String("RstrDate"))});
            }
            m_xml.skipCurrentElement();
        }
        return !m_xml.hasError();
    }

    // Keeps the account when payments go through it and it is open.
    void ReadAccount(BikDirectory::Participant* participant) {
        BikDirectory::Account account;
        account.number = Attribute(QLatin1String("Account"));
        account.type = Attribute(QLatin1String("RegulationAccountType"));
        const bool closed = Attribute(QLatin1String("AccountStatus")) == kClosedAccount ||
                            DateAttribute(QLatin1String("DateOut")).isValid();
        const QString holderBik = Attribute(QLatin1String("AccountCBRBIC"));
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("AccRstrList")) {
                account.restrictions.append({Attribute(QLatin1String("AccRstr")),
                                             DateAttribute(QLatin1String("AccRstrDate"))});
            }
            m_xml.skipCurrentElement();
        }
        const bool forPayments = kPaymentAccountTypes.contains(account.type) ||
                                 account.number.startsWith(kTreasuryAccountPrefix);
        if (closed || !forPayments || account.number.isEmpty()) {
            return;
        }
        if (participant->accounts.isEmpty() && IsTreasuryAccount(account)) {
            m_holderBiks.insert(participant->bik, holderBik);
        }
        participant->accounts.append(account);
    }

    // A treasury body's account holder is another entry of the directory, named by its BIK.
    void Finish(BikDirectory* directory) {
        if (directory->IsEmpty()) {
            Fail(QStringLiteral("в справочнике нет ни одного БИК"));
            return;
        }
        for (auto it = m_holderBiks.cbegin(); it != m_holderBiks.cend(); ++it) {
            const BikDirectory::Participant* holder = directory->Find(it.value());
            if (holder && holder->bik != it.key()) {
                directory->SetAccountHolderName(it.key(), holder->name);
            }
        }
    }

    QString ErrorText() const {
        switch (m_xml.error()) {
            case QXmlStreamReader::CustomError:
                return m_xml.errorString();
            case QXmlStreamReader::PrematureEndOfDocumentError:
                return QStringLiteral("файл оборван: справочник не дописан до конца");
            default:
                return QStringLiteral(
                           "файл поврежден: ошибка разметки XML в строке %1, "
                           "столбце %2")
                    .arg(m_xml.lineNumber())
                    .arg(m_xml.columnNumber());
        }
    }

    QXmlStreamReader m_xml;
    QHash<QString, QString> m_holderBiks;  // treasury body's BIK → its account holder's BIK
};

}  // namespace

bool Read(const QByteArray& xml, BikDirectory* directory, QString* error) {
    *directory = {};
    return DocumentReader(xml).Read(directory, error);
}

}  // namespace Ed807Reader
