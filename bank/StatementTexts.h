#pragma once

#include <QList>
#include <QPair>
#include <QString>

struct AccountBalances;
struct StatementAmbiguity;
struct StatementImport;
struct StatementParty;
class OrderRow;
class StatementAnswers;

// A statement as the statement window shows it and `--import-statement` prints it, in one
// wording for both.
namespace StatementTexts {

// What became of the file: kept, read before (nothing changed), or read but not kept.
QString KeptText(const StatementImport& import);
// "Счет 40702810900000012345 за 05.03.2026–06.03.2026"
QString AccountHeading(const AccountBalances& balances);
// The account's balances as captions and amounts, opening to closing.
QList<QPair<QString, QString>> BalanceLines(const AccountBalances& balances);

// An entry of the report as a row: the document, its amount, the other party (the purpose for
// the bank's own operations), and for an outgoing payment the order it answers.
struct Row {
    QString document;  // "№ 1 от 05.03.2026"
    QString amount;
    QString party;
    QString order;  // "№ 1 от 05.03.2026 (Vemo/vemo.1)", "нет в архиве", "вопрос: …"
};
Row RowOf(const StatementImport& import, qsizetype entry);

// An order of the archive as a question names it: "№ 5 от 05.03.2026 (Vemo/vemo.5)".
QString OrderText(const StatementImport& import, qsizetype order);
// What the user is asked: which documents could answer which orders.
QString QuestionText(const StatementImport& import, const StatementAmbiguity& ambiguity);
// What the user answered about the documents of a question, or that there is no answer yet.
QString AnswersText(const StatementImport& import, const StatementAnswers& answers,
                    const StatementAmbiguity& ambiguity);
// A party the books lack: "получатель ООО Альфа, ИНН 6659876543, счет 40702810100000067890".
QString PartyText(const StatementParty& party);

}  // namespace StatementTexts
