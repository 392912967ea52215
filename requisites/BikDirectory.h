#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The Bank of Russia's directory of bank identification codes, as far as payment orders need it:
// for each BIK the participant's name and town, whether it takes payments, and the bank's
// correspondent account (for a treasury body its single treasury account). The program keeps one
// directory in its own data folder, replaced whole by each import.
class BikDirectory {
public:
    // A limit the Bank of Russia has set on a participant or on one of its accounts.
    struct Restriction {
        QString code;  // URRS, LWRS, MRTR, ...
        QDate since;   // null when the file gives no date
    };

    struct Account {
        QString number;
        QString type;  // CRSA correspondent account, UTRA single treasury account, ...
        QList<Restriction> restrictions;
    };

    struct Participant {
        QString bik;
        QString name;            // the participant's name
        QString settlementType;  // "г", "п", "с", ... as the directory abbreviates it
        QString settlement;      // the town's name
        QString type;            // the participant's type, two digits
        bool deleted = false;    // taken off the directory
        QDate deletedSince;      // null when the file gives no date
        QList<Restriction> restrictions;
        // The accounts a payment goes through, the first the one to use: correspondent accounts
        // of a bank, the single treasury account of a treasury body. Closed accounts are left out.
        QList<Account> accounts;
        // For a treasury body, the name of the Bank of Russia division that keeps its single
        // treasury account, which the form names before the body itself; empty otherwise.
        QString accountHolderName;
    };

    enum class KeptOutcome { Loaded, Absent, Damaged };

    QDate Date() const { return m_date; }
    qsizetype Count() const { return m_participants.size(); }
    bool IsEmpty() const { return m_participants.isEmpty(); }
    const QList<Participant>& Participants() const { return m_participants; }

    // Nine digits.
    static bool IsBik(QStringView text);

    // The participant with the BIK (blanks in it ignored); null when the directory has none.
    const Participant* Find(QStringView bik) const;

    void SetDate(const QDate& date) { m_date = date; }
    // Adds the participant; false when its BIK is in the directory already.
    bool Add(const Participant& participant);
    void SetAccountHolderName(const QString& bik, const QString& name);

    // The bank as the form prints it: the name, then the kind and name of the town.
    static QString BankText(const Participant& participant);
    // The account the directory gives for payments through the participant; empty for none.
    static QString CorrespondentAccount(const Participant& participant);
    // Whether the participant is a treasury body: of the Federal Treasury's types, or holding a
    // single treasury account (40102…) as its account for payments.
    static bool IsTreasuryBody(const Participant& participant);
    // What keeps the participant from taking payments, one text a reason ("отозвана лицензия с
    // 01.11.2026"); empty when nothing does.
    static QStringList PaymentObstacles(const Participant& participant);
    // A restriction in words: "ограничено участие в переводах с 01.02.2026".
    static QString RestrictionText(const Restriction& restriction);

    // The directory in the program's own form, and back. FromKeptBytes is false for bytes that
    // are not a whole directory of this form; *problem then says where it stumbled, in Russian
    // ("БИК 044525225: ограничения «A,B:» не читаются: ...").
    QByteArray ToKeptBytes() const;
    static bool FromKeptBytes(const QByteArray& bytes, BikDirectory* directory,
                              QString* problem = nullptr);

    // Where the program keeps its directory: its own data folder, never the working folder.
    static QString KeptFilePath();

    enum class KeepOutcome {
        Kept,              // the directory replaced the one kept
        WouldNotReadBack,  // its kept form would not read back whole (a restriction code with a
                           // comma): not kept, *error says where it stumbles
        NotWritten,        // the save failed, *error says why in the system's words
    };
    // Writes the directory there, completely or not at all, once the reader that loads it has
    // read back what is to be kept; the directory kept before stays otherwise.
    KeepOutcome SaveKept(QString* error) const;

    // The kept directory; an empty one when none was ever imported or it cannot be read
    // (Damaged, *problem then says why).
    static KeptOutcome LoadKept(BikDirectory* directory, QString* problem = nullptr);
    static BikDirectory Kept();
    // What a window tells of a kept directory that is Damaged: the file, the problem, and that
    // BIKs go unchecked until the directory is imported again.
    static QString DamagedKeptMessage(const QString& problem);

private:
    QDate m_date;
    QList<Participant> m_participants;
    QHash<QString, qsizetype> m_index;  // BIK → position in m_participants
};
