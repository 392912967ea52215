#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "bank/KeptSummaries.h"
#include "common/CRequisiteArray.h"

class OrderRow;
class WorkingFolder;

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
    // Sent more than three working days ago, and the kept statements of the payer's account
    // cover the days from the sending on without showing it.
    bool overdue = false;
    Unclear unclear = Unclear::None;
};

// The archive's column: "исполнено 09.12", "отправлено 08.12", empty for an order only made;
// "отправлено 08.12, нет в выписке" for an overdue one, a question where documents cannot be
// told apart ("отправлено?", "исполнено?", "отправлено 08.12, исполнено?").
QString Text(const State& state);

// What the archive shows.
enum class Filter { All, NotSent, SentNotExecuted, Executed };
bool Shows(Filter filter, const State& state);

// The day n working days (Monday to Friday) after the day.
QDate AddWorkingDays(const QDate& day, int n);

// The states of the orders, one per order in the order given, from the summaries of the kept
// files. A document answers an order by the rule of PaymentMatch; the same statement document
// in two kept statements (a day's and a month's) counts once.
QList<State> Compute(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                     const CRequisiteArray& recipients, const KeptSummaries& kept,
                     const QDate& today);

struct Reading {
    QList<State> states;
    QStringList unreadable;  // kept files that could not be read
};

// The states of the orders from the files kept in the folder.
Reading Read(const WorkingFolder& folder, const QList<OrderRow>& orders,
             const CRequisiteArray& payers, const CRequisiteArray& recipients, const QDate& today);

}  // namespace OrderStates
