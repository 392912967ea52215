#include "bank/OrderStates.h"

#include <QHash>
#include <algorithm>

#include "bank/PaymentMatch.h"
#include "common/WorkingDays.h"
#include "orders/OrderRow.h"
#include "orders/WorkingFolder.h"

namespace OrderStates {
namespace {

// The days kept statements cover, per account.
class Coverage {
public:
    explicit Coverage(const KeptSummaries& kept) {
        for (const KeptSummary& summary : kept.Files()) {
            for (const KeptSummary::Coverage& period : summary.coverage) {
                if (period.from > 0 && period.from <= period.to) {
                    m_periods[kept.Texts()[period.account]].append({period.from, period.to});
                }
            }
        }
        for (auto& periods : m_periods) {
            std::sort(periods.begin(), periods.end());
        }
    }

    // Whether every day from the first to the last is in a statement of the account.
    bool Covers(const QString& account, const QDate& first, const QDate& last) const {
        const auto periods = m_periods.constFind(account);
        if (periods == m_periods.cend()) {
            return false;
        }
        qint64 next = first.toJulianDay();  // the first day not yet seen covered
        for (const auto& [from, to] : *periods) {
            if (from > next) {
                break;
            }
            next = std::max(next, to + 1);
        }
        return next > last.toJulianDay();
    }

private:
    QHash<QString, QList<std::pair<qint64, qint64>>> m_periods;  // Julian days
};

// The statement documents that answer each order alone. The same debit in two statements (a
// day's and the month's) is one; two documents in one statement, or of different days, are
// two. Statements come in the order kept, and each one's documents in file order.
class Debits {
public:
    explicit Debits(qsizetype orders)
        : m_day(orders, 0), m_file(orders, -1), m_several(orders, false) {}

    void Add(qsizetype order, qsizetype file, qint64 day) {
        if (m_file[order] < 0) {
            m_file[order] = file;
            m_day[order] = day;
        } else if (m_day[order] != day || m_file[order] == file) {
            m_several[order] = true;
        } else {
            m_file[order] = file;  // the same debit in a later statement
        }
    }
    bool Any(qsizetype order) const { return m_file[order] >= 0; }
    bool Several(qsizetype order) const { return m_several[order]; }
    // The day of the one debit; null where the statement does not say.
    QDate Day(qsizetype order) const {
        return m_day[order] > 0 ? QDate::fromJulianDay(m_day[order]) : QDate();
    }

private:
    QList<qint64> m_day;
    QList<qsizetype> m_file;
    QList<bool> m_several;
};

QString Day(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM"));
}

// The user's answer about a document narrows the orders it answers: to the order named, while the
// rule still lets the document answer it, or to none.
void ApplyAnswer(const std::optional<QString>& answer, const QHash<QString, qsizetype>& placeOfFile,
                 QList<qsizetype>* found) {
    if (!answer) {
        return;
    }
    if (answer->isEmpty()) {
        found->clear();
        return;
    }
    const qsizetype place = placeOfFile.value(*answer, -1);
    if (found->contains(place)) {
        *found = {place};
    }
}

}  // namespace

QString Text(const State& state) {
    switch (state.stage) {
        case Stage::Executed:
            return state.executed.isValid()
                       ? QStringLiteral("исполнено %1").arg(Day(state.executed))
                       : QStringLiteral("исполнено");
        case Stage::Sent: {
            QString text = QStringLiteral("отправлено %1").arg(Day(state.sent));
            if (state.unclear == Unclear::Executed) {
                text += QStringLiteral(", исполнено?");
            } else if (state.overdue) {
                text += QStringLiteral(", нет в выписке");
            }
            return text;
        }
        case Stage::Made:
            switch (state.unclear) {
                case Unclear::Sent:
                    return QStringLiteral("отправлено?");
                case Unclear::Executed:
                    return QStringLiteral("исполнено?");
                case Unclear::None:
                    break;
            }
            return QString();
    }
    return QString();
}

bool SentBefore(const State& state) {
    return state.stage != Stage::Made || state.unclear != Unclear::None;
}

bool Shows(Filter filter, const State& state) {
    switch (filter) {
        case Filter::All:
            return true;
        case Filter::NotSent:
            return !SentBefore(state);
        case Filter::SentNotExecuted:
            return SentBefore(state) && state.stage != Stage::Executed;
        case Filter::Executed:
            return state.stage == Stage::Executed;
    }
    return true;
}

QString CountsText(const QList<State>& states) {
    qsizetype notSent = 0;
    qsizetype sent = 0;
    qsizetype overdue = 0;
    qsizetype executed = 0;
    for (const State& state : states) {
        notSent += Shows(Filter::NotSent, state) ? 1 : 0;
        sent += Shows(Filter::SentNotExecuted, state) ? 1 : 0;
        overdue += state.overdue ? 1 : 0;
        executed += Shows(Filter::Executed, state) ? 1 : 0;
    }
    QString text = QStringLiteral("не отправлено %1, отправлено %2").arg(notSent).arg(sent);
    if (overdue > 0) {
        text += QStringLiteral(" (нет в выписке %1)").arg(overdue);
    }
    return text + QStringLiteral(", исполнено %1").arg(executed);
}

QList<State> Compute(const QList<OrderRow>& orders, const CRequisiteArray& payers,
                     const CRequisiteArray& recipients, const KeptSummaries& kept,
                     const QDate& today, const StatementAnswers& answers,
                     const QStringList& orderFiles) {
    QList<State> states(orders.size());
    if (kept.Files().isEmpty()) {
        return states;  // nothing went to the bank yet, as far as the program knows
    }
    const PaymentMatch::OrderIndex index(orders, payers, recipients);
    QHash<QString, qsizetype> placeOfFile;
    if (!answers.IsEmpty()) {
        for (qsizetype i = 0; i < orderFiles.size(); ++i) {
            placeOfFile.insert(orderFiles[i], i);
        }
    }
    QList<qint32> ids;  // the index's id of each kept text
    ids.reserve(kept.Texts().size());
    for (const QString& text : kept.Texts()) {
        ids.append(index.TextId(text));
    }
    QList<bool> sentUnclear(orders.size(), false);
    QList<bool> executedUnclear(orders.size(), false);
    Debits debits(orders.size());
    QList<qsizetype> found;
    for (qsizetype f = 0; f < kept.Files().size(); ++f) {
        const KeptSummary& summary = kept.Files()[f];
        const bool statement = summary.kind == KeptFiles::Kind::Statement;
        for (const KeptSummary::Document& document : summary.documents) {
            const PaymentMatch::Key key = {ids[document.payerAccount],
                                           ids[document.recipientAccount],
                                           document.number,
                                           ids[document.numberText],
                                           document.day,
                                           document.kopecks};
            index.Answered(key, ids[document.recipientInn], &found);
            if (statement && !answers.IsEmpty()) {
                ApplyAnswer(answers.OrderOf(summary.name, document.line), placeOfFile, &found);
            }
            if (found.size() > 1) {
                for (qsizetype order : found) {
                    (statement ? executedUnclear : sentUnclear)[order] = true;
                }
            } else if (found.size() == 1 && statement) {
                debits.Add(found.first(), f, document.debited);
            } else if (found.size() == 1) {
                State& state = states[found.first()];
                state.sent = std::max(state.sent, summary.day);
            }
        }
    }
    const Coverage coverage(kept);
    for (qsizetype i = 0; i < states.size(); ++i) {
        State& state = states[i];
        if (debits.Several(i)) {
            executedUnclear[i] = true;
        }
        if (debits.Any(i) && !executedUnclear[i]) {
            state.stage = Stage::Executed;
            state.executed = debits.Day(i);
            continue;
        }
        // A document that fits another order too decides nothing.
        state.stage = state.sent.isValid() ? Stage::Sent : Stage::Made;
        if (executedUnclear[i]) {
            state.unclear = Unclear::Executed;
        } else if (sentUnclear[i] && state.stage == Stage::Made) {
            state.unclear = Unclear::Sent;
        }
        if (state.stage == Stage::Sent && state.unclear == Unclear::None) {
            const QDate due = WorkingDays::After(state.sent, 3);
            state.overdue = today > due && coverage.Covers(index.PayerAccount(i), state.sent, due);
        }
    }
    return states;
}

Reading Read(const WorkingFolder& folder, const StoredOrders& orders, const CRequisiteArray& payers,
             const CRequisiteArray& recipients, const QDate& today) {
    const KeptSummaries kept = KeptSummaries::Read(folder);
    Reading reading;
    for (const QString& name : kept.Unreadable()) {
        reading.unreadable.append(QStringLiteral("%1 не читается").arg(name));
    }
    StatementAnswers answers;
    QString error;
    if (!StatementAnswers::Read(folder, &answers, &error)) {
        reading.unreadable.append(error);
    }
    reading.states = Compute(orders.rows, payers, recipients, kept, today, answers, orders.files);
    return reading;
}

}  // namespace OrderStates
