#pragma once

#include <QHash>
#include <QString>
#include <optional>

class WorkingFolder;

// The user's answers where the rule cannot pair a statement's documents with the orders (a
// document that several orders fit, an order that several documents answer): which order a
// document answers, or that it answers none. The program never guesses, so it keeps what the
// user said beside the kept statements, in "Bank/answers.txt", and the orders' states follow it.
// A document is named by its kept statement and the line its section starts on, which never
// change; an order by its file.
//
// The file is UTF-8 text, one answer a line: the statement, the line and the order file
// ("Vemo/vemo.7", or "-" for none), separated by tabs.
class StatementAnswers {
public:
    static const QString& FileName();

    // The answers kept in the folder; none when there is no file. False, with *error in the
    // user's words, for a file that cannot be read: the answers are then none.
    static bool Read(const WorkingFolder& folder, StatementAnswers* answers, QString* error);
    // Replaces the file with these answers, in one step; false, with *error, when it could not.
    bool Save(const WorkingFolder& folder, QString* error) const;

    bool IsEmpty() const { return m_orders.isEmpty(); }
    // The order file the document answers: empty for none, nothing when the user was not asked.
    std::optional<QString> OrderOf(const QString& statement, qsizetype line) const;
    // The user's answer; orderFile empty for none.
    void Set(const QString& statement, qsizetype line, const QString& orderFile);

private:
    static QString Key(const QString& statement, qsizetype line);

    QHash<QString, QString> m_orders;  // by Key; "" for none
};
