#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "bank/KeptFiles.h"

class ExchangeFile;
class WorkingFolder;

// What the states of the orders need of one kept file: its outgoing payment orders down to the
// values that match them with orders, and for a statement the days it covers of each account.
// Texts are places in the table of texts of the KeptSummaries it belongs to, so that a summary is
// plain numbers, written to the cache and read back as they stand.
struct KeptSummary {
    struct Document {
        qint32 payerAccount = 0;  // places in the table of texts; 0 is the empty text
        qint32 recipientAccount = 0;
        qint32 recipientInn = 0;
        qint32 numberText = 0;  // a number that is not digits ("FDC240")
        qint64 number = -1;     // a number that is, else -1
        qint64 day = 0;         // the document's date as a Julian day
        qint64 kopecks = 0;
        qint64 debited = 0;  // a statement's day of the debit as a Julian day; 0 for none
        qint64 line = 0;     // the line its section starts on, which the user's answers name
    };
    struct Coverage {
        qint32 account = 0;  // a place in the table of texts
        qint32 unused = 0;
        qint64 from = 0;  // Julian days
        qint64 to = 0;
    };

    // The kept file summed up, as it stood: its name, size and time of change.
    QString name;
    qint64 size = 0;
    qint64 modified = 0;  // milliseconds since the epoch
    KeptFiles::Kind kind = KeptFiles::Kind::Export;
    QDate day;  // the day an export was written, or a statement read
    QList<Document> documents;
    QList<Coverage> coverage;  // a statement's accounts and periods
};

// The summaries of the kept files of a working folder, with one table of texts for all.
//
// Reading every kept file each time the archive opens would cost more than the archive itself,
// so the summaries are cached in the user's cache folder, one file per working folder. A kept
// file never changes: while its name, size and time of change are those of its summary, the
// summary is right, and any other file is read again. The cache is only ever a shortcut: a
// missing, damaged or unwritable one costs time, never a state.
class KeptSummaries {
public:
    const QStringList& Texts() const { return m_texts; }
    const QList<KeptSummary>& Files() const { return m_files; }
    // The kept files that could not be read, or are not exchange files.
    const QStringList& Unreadable() const { return m_unreadable; }

    // Sums up a kept file just read.
    void Add(const KeptFiles::KeptFile& kept, const ExchangeFile& file);

    // The summaries of every kept file of the folder, in the order kept: from the cache where it
    // holds them, the others read now and the cache brought up to date.
    static KeptSummaries Read(const WorkingFolder& folder);

    // Where the cache of the folder's summaries lives.
    static QString CachePath(const WorkingFolder& folder);
    // The summaries as the cache holds them, and back; false for bytes that are not such, or
    // whose places name no text.
    QByteArray ToBytes() const;
    static bool FromBytes(const QByteArray& bytes, KeptSummaries* summaries);

private:
    qint32 Place(const QString& text);
    // Takes a summary of another table, its texts put into this one.
    void AddFrom(const KeptSummaries& other, const KeptSummary& summary);
    bool IsWhole() const;

    QStringList m_texts = {QString()};
    QHash<QString, qint32> m_places;  // made when the first text is added
    QList<KeptSummary> m_files;
    QStringList m_unreadable;
};
