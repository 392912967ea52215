#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>
#include <utility>

#include "common/CRequisiteArray.h"

struct ExchangeDocument;
class ExchangeFile;
class OrderRow;

// Which order of the archive a document of the bank's exchange file answers: a statement's
// document that the bank executed, or a document of an export the program kept. Number and date
// alone are not unique (numbers restart each year, a bank's day holds an outgoing and an incoming
// number 1), so a document answers an order only when all agree: it is an outgoing payment order,
// from the payer's own account, with the order's number, date and amount in kopecks, to the
// recipient's own account, and the recipient's INN where both give one.
namespace PaymentMatch {

// The kind of document that an order of the program becomes.
inline const QString kPaymentOrder = QStringLiteral("Платежное поручение");

// Which way a document moves money, seen from the client's own accounts.
enum class Direction {
    Outgoing,  // from one of the client's accounts
    Incoming,  // to one of them
    Transfer,  // between two of them: outgoing from one, incoming to the other
    Unknown,   // neither account is the client's, and the bank dated neither side
};

// The client's accounts that a file is about: the header's and those its sections give.
QSet<QString> OwnAccounts(const ExchangeFile& file);

// Decided by the accounts, not by the date keys, which one bank fills on incoming bank orders
// as if they were outgoing; only when neither account is the client's does the date tell.
Direction DirectionOf(const ExchangeDocument& document, const QSet<QString>& ownAccounts);
inline bool LeavesAccount(Direction direction) {
    return direction == Direction::Outgoing || direction == Direction::Transfer;
}
// Whether a document of that direction may answer an order at all: an outgoing payment order.
bool MayAnswer(const ExchangeDocument& document, Direction direction);

// A number as it is compared: a number where it is digits ("0007" is order 7; blanks do not
// count), else the text without blanks ("FDC240").
struct Number {
    qint64 value = -1;  // -1 for a text
    QString text;       // empty for a number

    static Number Of(QStringView text);
};

// The values a document must repeat to answer an order, the texts by their ids in the index
// (OrderIndex::TextId), so that looking a document up compares numbers only.
struct Key {
    qint32 payerAccount = -1;
    qint32 recipientAccount = -1;
    qint64 number = -1;
    qint32 numberText = 0;
    qint64 day = 0;  // the date as a Julian day
    qint64 kopecks = 0;

    bool operator==(const Key& other) const;
};
size_t qHash(const Key& key, size_t salt = 0);

// The orders of the archive by their keys. An order whose party is not in its book, or whose
// amount or date cannot be read, has no key and is answered by nothing.
class OrderIndex {
public:
    OrderIndex(const QList<OrderRow>& orders, const CRequisiteArray& payers,
               const CRequisiteArray& recipients);

    // The id of a text the orders hold (an account, an INN, a number's text): 0 for the empty
    // text, -1 for a text no order holds, which then matches none.
    qint32 TextId(const QString& text) const {
        return text.isEmpty() ? 0 : m_ids.value(TextView{text}, -1);
    }

    // The orders the document answers, by their place in the list given: none, one, or several
    // that it cannot tell apart. Only an outgoing payment order answers any.
    QList<qsizetype> Answered(const ExchangeDocument& document, Direction direction) const;
    // The same for a document read down to its key and the recipient's INN (a text id), into
    // *found, which a caller of many lookups reuses.
    void Answered(const Key& key, qint32 recipientInn, QList<qsizetype>* found) const;
    // The key of a document with texts as they stand.
    Key KeyOf(const QString& payerAccount, const QString& recipientAccount, const Number& number,
              qint64 day, qint64 kopecks) const;

    qsizetype Count() const { return m_payerAccounts.size(); }
    // The payer's account of the order at that place; empty for an order without a key.
    const QString& PayerAccount(qsizetype order) const { return m_textOf[m_payerAccounts[order]]; }

    // A text as a hash key without a copy of it; the text itself stays where it is (m_textOf, a
    // book's record). Looking up 100 000 orders' names measured several times quicker with the
    // hash of the text with no salt, the table's salt mixed in after.
    struct TextView {
        QStringView text;
        bool operator==(const TextView& other) const { return text == other.text; }
        friend size_t qHash(const TextView& view, size_t salt) {
            return qHash(view.text, 0) ^ salt;
        }
    };

private:
    qint32 Intern(const QString& text);

    QHash<TextView, qint32> m_ids;  // the id of each text in m_textOf
    // The first and the last order of each key; the others in between by m_next.
    QHash<Key, std::pair<qsizetype, qsizetype>> m_chains;
    QList<qsizetype> m_next;             // the next order of the same key, by place; -1 for none
    QStringList m_textOf = {QString()};  // the text of each id
    QList<qint32> m_recipientInns;       // of each order, by its place
    QList<qint32> m_payerAccounts;       // of each order, by its place
};

}  // namespace PaymentMatch
