#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "bank/KeptSummaries.h"
#include "bank/StatementAnswers.h"
#include "common/CRequisiteArray.h"

class OrderRow;
class WorkingFolder;
struct StoredOrders;

// Where each order of the archive stands: made, sent to the bank, executed by it, as the files
// the program kept tell (an export holds it; a statement shows the bank debited it). Nothing of
// this is written into the order files.
namespace OrderStates {

enum class Stage { Made, Sent, Executed };
// A stage that documents would give the order, had they not named another order too, or had
// not several documents named it: the user is asked, and they count for nothing meanwhile.
enum class Unclear { None, Sent, Executed };

struct State {
    Stage stage = Stage::Made;
    QDate sent;      // the day of the latest kept export that holds the order
    QDate executed;  // the day the bank debited the account; null where its statement does not say
    // Sent more than three working days ago (WorkingDays), and the kept statements of the payer's
    // account cover the days from the sending on without showing it.
    bool overdue = false;
    Unclear unclear = Unclear::None;
};

// The archive's column: "исполнено 09.12", "отправлено 08.12", empty for an order only made;
// "отправлено 08.12, нет в выписке" for an overdue one, a question where documents cannot be
// told apart ("отправлено?", "исполнено?", "отправлено 08.12, исполнено?").
QString Text(const State& state);

// Whether the order went to the bank as far as the kept files tell: sent, executed, or named by a
// document that fits another order too. An export offers only the orders that did not, and asks
// before it sends one that did again.
bool SentBefore(const State& state);

// What the archive shows: every order, those that did not go to the bank, those that went and
// were not seen executed, those executed. Each order is in one of the last three.
enum class Filter { All, NotSent, SentNotExecuted, Executed };
bool Shows(Filter filter, const State& state);

// How many orders are in each of the three: "не отправлено 3, отправлено 2 (нет в выписке 1),
// исполнено 5".
QString CountsText(const QList<State>& states);

// The states of the orders, one per order in the order given, from the summaries of the kept
// files. A document answers an order by the rule of PaymentMatch; the same statement document
// in two kept statements (a day's and a month's) counts once. Where the rule cannot pair them,
// the user's answers decide, naming the orders by their files (orderFiles, one per order).
QList<State> Compute(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                     const CRequisiteArray& recipients, const KeptSummaries& kept,
                     const QDate& today, const StatementAnswers& answers = StatementAnswers(),
                     const QStringList& orderFiles = QStringList());

struct Reading {
    QList<State> states;
    // Kept files that could not be read, and the answers when they cannot be, in the user's
    // words; the states are as if they were not there.
    QStringList unreadable;
};

// The states of the orders from the files and answers kept in the folder.
Reading Read(const WorkingFolder& folder, const StoredOrders& orders, const CRequisiteArray& payers,
             const CRequisiteArray& recipients, const QDate& today);

}  // namespace OrderStates
