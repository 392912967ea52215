#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "bank/AccountBalances.h"
#include "bank/PaymentMatch.h"
#include "common/CRequisiteArray.h"

class ExchangeFile;
class OrderRow;

// One document of a statement as the statement window lists it.
struct StatementEntry {
    enum class Kind {
        Outgoing,       // a payment from one of the client's accounts
        Incoming,       // a payment to one of them
        BankOperation,  // the bank's own: a fee, an internal transfer
        Other,          // neither account is the client's and the bank dated neither side
    };
    qsizetype document = -1;  // its place among the file's documents
    PaymentMatch::Direction direction = PaymentMatch::Direction::Unknown;
    Kind kind = Kind::Other;
    // The orders an outgoing payment order may answer, by their place among the orders given.
    QList<qsizetype> orders;
};

// A document that answers one order, which no other document answers.
struct StatementAnswer {
    qsizetype entry = -1;
    qsizetype order = -1;
    QDate executed;  // the day the bank debited the account; null where it does not say
};

// Documents and orders the rule cannot pair: a document that several orders would fit, or an
// order that several documents answer. The user is asked; the program never guesses.
struct StatementAmbiguity {
    QList<qsizetype> entries;
    QList<qsizetype> orders;
};

// One account of the statement: its balances and its documents, as entries.
struct AccountStatement {
    AccountBalances balances;
    QList<qsizetype> outgoing;  // a transfer between the client's accounts is outgoing from one
    QList<qsizetype> incoming;  // and incoming to the other
    QList<qsizetype> bankOperations;
};

// A statement held against the archive.
struct StatementReport {
    QList<StatementEntry> entries;  // one per document, in file order
    QList<AccountStatement> accounts;
    QList<qsizetype> unplaced;  // entries that touch none of the accounts
    QList<StatementAnswer> answers;
    QList<StatementAmbiguity> ambiguities;
    // Outgoing payments that answer no order: "нет в архиве".
    QList<qsizetype> notInArchive;

    static StatementReport Of(const ExchangeFile& file, const QList<OrderRow>& orders,
                              const CRequisiteArray& payers, const CRequisiteArray& recipients);
};
