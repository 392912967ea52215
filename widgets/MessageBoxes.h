#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through here, so that tests can answer them. A control
// character in a text (a value quoted from a file) is shown as "^K", never as it is.
namespace MessageBoxes {

// A failure with its reason, when there is one: "Не могу записать платежку: нет места на диске".
QString WithReason(const QString& failure, const QString& reason);

// The program's own refusals and failures: stop icon, caption "Ошибка", one OK button.
void ShowError(QWidget* parent, const QString& text);
// A notice in the toolkit's own words (a refused number, say): caption "Vemo", warning icon.
void ShowNotice(QWidget* parent, const QString& text);
// Word that a task is done: caption "Vemo", information icon.
void ShowDone(QWidget* parent, const QString& text);
enum class Answer { Yes, No };
// A question with "Да" and "Нет"; true for "Да". Enter gives the default answer, which should be
// the harmless one.
bool AskYesNo(QWidget* parent, const QString& text, Answer defaultAnswer = Answer::Yes);
// A warning the user reads and goes on from: warning icon, the caption given, one OK button.
void ShowWarning(QWidget* parent, const QString& caption, const QString& text);
enum class Choice { First, Second };
// A question whose two buttons say what they do, the first on the left. Enter and Esc give the
// default choice, which should be the harmless one. With the test log, answerYes picks the first.
Choice AskChoice(QWidget* parent, const QString& caption, const QString& text, const QString& first,
                 const QString& second, Choice defaultChoice);
// A check's warning that the user may override: "Исправить" (first, and the default that Enter
// and Esc give) or "Сохранить как есть", the same order and default at every check; true for
// "Исправить". The text ends with the question "Исправить или сохранить как есть?", added here.
bool AskCorrect(QWidget* parent, const QString& caption, const QString& text);

// While a log is set, boxes are not shown: each is appended to the log, and questions take the
// log's answer.
struct Log {
    struct Entry {
        QString caption;
        QString text;
    };
    QList<Entry> entries;
    bool answerYes = true;
    // Answers to the next questions in turn (true for "Да" or the first choice); answerYes once
    // they are used up.
    QList<bool> answers;

    QStringList Texts() const;
    bool NextAnswer();
};
void SetTestLog(Log* log);

}  // namespace MessageBoxes
