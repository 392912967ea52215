#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "bank/OrderRefusal.h"
#include "common/CRequisiteArray.h"
#include "orders/OrderRow.h"

// Payment orders for the bank's client system, in the plain-text exchange format that begins
// "1CClientBankExchange" (version 1.03): one "key=value" a line, a header, one section per order.
namespace BankExport {

// The name the save dialog proposes: the one the bank's side expects from an accounting program
// ("kl_to_1c.txt" is the statement that comes back).
inline constexpr char kDefaultFileName[] = "1c_to_kl.txt";

struct Result {
    // The lines of the file with every order that can be exported, in the order given; empty
    // when there is none.
    QStringList lines;
    qsizetype exported = 0;
    // The orders left out; the caller lets the user export the rest or nothing.
    QList<OrderRefusal> refused;
};

// The exchange file of the orders. Each party is the first record of its address book whose name
// is exactly the order's. An order is left out when a party is not found or its two accounts
// stand the wrong way round for its book, when its amount is not an amount of roubles and
// kopecks, when its date is not a date, when a field is malformed (OrderChecks::MalformedFields:
// a number, a priority, a budget field or an income-type code a reader may refuse the whole file
// for, and a payment to the budget without its status, indicators or Код, which the bank
// returns), or when one of its values (its own or its parties') holds a line break or a character
// the file cannot keep.
// The header names the sender as "name version" and is dated by now.
Result Compose(const QList<OrderRow>& orders, const CRequisiteArray& payers,
               const CRequisiteArray& recipients, const QString& senderName,
               const QString& senderVersion, const QDateTime& now);

// An order that passed every check, with what its document needs: its place among the orders and
// its parties' places in their books.
struct CheckedOrder {
    qsizetype order = -1;
    qsizetype payer = -1;
    qsizetype recipient = -1;
    QDate date;
    qint64 kopecks = 0;
};

// The orders that can go to the bank, in the order given, and those that cannot, with why.
struct Checked {
    QList<CheckedOrder> orders;
    QList<OrderRefusal> refused;
};
// Compose's checks alone.
Checked CheckOrders(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                    const CRequisiteArray& recipients);

// "Vemo 1.0": who made the file, as its header names it.
QString Sender(const QString& name, const QString& version);

// Takes the file a line at a time; false stops the writing.
using LineSink = std::function<bool(const QString& line)>;
// The lines of the file of the checked orders, handed to the sink one by one as they are made, so
// that a file of any size is written without being held whole; false when the sink stopped it.
// Nothing is handed on for no order.
bool WriteLines(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                const CRequisiteArray& recipients, const QList<CheckedOrder>& checked,
                const QString& sender, const QDateTime& now, const LineSink& sink);

// Replaces the file at path with the lines in one step; false, with the old file untouched and the
// reason in *error, when writing failed or was refused (a link planted in /tmp, say).
bool WriteFile(const QString& path, const QStringList& lines, QString* error = nullptr);

// The bytes of the file, code page 1251 with CRLF line ends, for writing to a stream.
QByteArray FileBytes(const QStringList& lines);
// Appends the bytes of one line of the file, its CRLF included.
void AppendLineBytes(const QString& line, QByteArray* bytes);

}  // namespace BankExport
