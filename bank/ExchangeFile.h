#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>

// The bank's exchange file read back: a statement from the bank ("kl_to_1c.txt") or an export of
// ours kept in the working folder. One reader for both, so that an order is recognised by the
// same values in what we sent and in what the bank says it did.

// A section "СекцияРасчСчет": one account's balances over a day or over the whole period.
struct ExchangeBalance {
    QString account;  // without blanks
    QDate from;       // the section's own dates; the file's period where it gives none
    QDate to;
    // In kopecks. complete says whether the section gives all four; a missing one reads as 0.
    qint64 opening = 0;
    qint64 credited = 0;
    qint64 debited = 0;
    qint64 closing = 0;
    bool complete = false;
    qsizetype line = 0;  // the line of its first key, from 1
};

// A section "СекцияДокумент=<kind>": a payment order, a bank order, a payment request, ...
struct ExchangeDocument {
    QString kind;  // "Платежное поручение", "Банковский ордер", ...
    QString number;
    QDate date;
    qint64 kopecks = 0;
    QString payerAccount;  // accounts and INNs without blanks
    QString recipientAccount;
    QString payerInn;
    QString recipientInn;
    // The days the bank wrote: the money left the account, or reached it. Null when the key is
    // missing and when it is given empty, which banks do alike.
    QDate debited;
    QDate credited;
    qsizetype line = 0;  // the line of "СекцияДокумент", from 1
    // Where the section's lines stand in the file's text, for the keys read on demand.
    qsizetype begin = 0;
    qsizetype end = 0;
};

class ExchangeFile {
public:
    enum class Encoding { Ascii, Utf8, Cp1251, Cp866 };

    // Reads a whole file. False, with *reason saying in the user's words why, for bytes that are
    // not a complete exchange file: another format, a file cut short (no "КонецФайла"), a section
    // not closed, a line that is not "key=value", a document without a date or an amount. A file
    // is taken whole or not at all. Exact repeats of a section are dropped.
    static bool Read(const QByteArray& bytes, ExchangeFile* file, QString* reason);

    Encoding TextEncoding() const { return m_encoding; }
    // "Windows (1251)", "DOS (866)", "UTF-8", as the user knows them.
    QString EncodingName() const;

    // The value of a header key as the file gives it, the first of a repeated key: null when the
    // key is missing, empty when it is given empty.
    QString HeaderValue(QStringView key) const;
    // Every value of a header key, in file order ("РасчСчет" names each account).
    QStringList HeaderValues(QStringView key) const;
    // The value of any key of a document, as HeaderValue: the keys the program does not use
    // itself (names, banks, the purpose) are kept in the text and read here.
    QString Value(const ExchangeDocument& document, QStringView key) const;

    // The file's period (header "ДатаНачала" and "ДатаКонца"); null where it gives none.
    QDate From() const { return m_from; }
    QDate To() const { return m_to; }
    // The day the file was made ("ДатаСоздания").
    QDate Created() const { return m_created; }
    // The header's accounts, without blanks, each once.
    const QStringList& Accounts() const { return m_accounts; }
    const QList<ExchangeBalance>& Balances() const { return m_balances; }
    const QList<ExchangeDocument>& Documents() const { return m_documents; }
    // How many sections were dropped as exact repeats of an earlier one.
    qsizetype DroppedRepeats() const { return m_droppedRepeats; }

private:
    friend class ExchangeParser;

    static bool Decode(const QByteArray& bytes, ExchangeFile* file, QString* reason);

    QString m_text;  // the whole file, decoded
    Encoding m_encoding = Encoding::Ascii;
    QList<QPair<QString, QString>> m_header;  // the keys outside every section, in file order
    QDate m_from;
    QDate m_to;
    QDate m_created;
    QStringList m_accounts;
    QList<ExchangeBalance> m_balances;
    QList<ExchangeDocument> m_documents;
    qsizetype m_droppedRepeats = 0;
};
