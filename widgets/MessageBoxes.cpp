#include "widgets/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "common/StorableText.h"

namespace MessageBoxes {
namespace {

Log* g_pLog = nullptr;

const QString kErrorCaption = QStringLiteral("Ошибка");
const QString kAppCaption = QStringLiteral("Vemo");

QMessageBox::StandardButton Show(
    QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& given,
    QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
    const QString text = WithVisibleControls(given);
    if (g_pLog) {
        g_pLog->entries.append({caption, text});
        if (!buttons.testFlag(QMessageBox::No)) {
            return QMessageBox::Ok;  // not a question: nothing answered
        }
        return g_pLog->NextAnswer() ? QMessageBox::Yes : QMessageBox::No;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

QString WithReason(const QString& failure, const QString& reason) {
    return reason.isEmpty() ? failure : failure + QStringLiteral(": ") + reason;
}

void ShowError(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, kErrorCaption, text, QMessageBox::Ok);
}

void ShowNotice(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Warning, kAppCaption, text, QMessageBox::Ok);
}

void ShowDone(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Information, kAppCaption, text, QMessageBox::Ok);
}

bool AskYesNo(QWidget* parent, const QString& text, Answer defaultAnswer) {
    const QMessageBox::StandardButton defaultButton =
        defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
    return Show(parent, QMessageBox::Question, kAppCaption, text,
                QMessageBox::Yes | QMessageBox::No, defaultButton) == QMessageBox::Yes;
}

void ShowWarning(QWidget* parent, const QString& caption, const QString& text) {
    Show(parent, QMessageBox::Warning, caption, text, QMessageBox::Ok);
}

Choice AskChoice(QWidget* parent, const QString& caption, const QString& given,
                 const QString& first, const QString& second, Choice defaultChoice) {
    const QString text = WithVisibleControls(given);
    if (g_pLog) {
        g_pLog->entries.append({caption, text});
        return g_pLog->NextAnswer() ? Choice::First : Choice::Second;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
    QPushButton* firstButton = box.addButton(first, QMessageBox::AcceptRole);
    QPushButton* secondButton = box.addButton(second, QMessageBox::RejectRole);
    QPushButton* defaultButton = defaultChoice == Choice::First ? firstButton : secondButton;
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(defaultButton);
    box.exec();
    return box.clickedButton() == firstButton ? Choice::First : Choice::Second;
}

bool AskCorrect(QWidget* parent, const QString& caption, const QString& text) {
    return AskChoice(parent, caption,
                     text + QStringLiteral("\n\nИсправить или сохранить как есть?"),
                     QStringLiteral("Исправить"), QStringLiteral("Сохранить как есть"),
                     Choice::First) == Choice::First;
}

bool Log::NextAnswer() {
    return answers.isEmpty() ? answerYes : answers.takeFirst();
}

QStringList Log::Texts() const {
    QStringList texts;
    for (const Entry& entry : entries) {
        texts.append(entry.text);
    }
    return texts;
}

void SetTestLog(Log* log) {
    g_pLog = log;
}

}  // namespace MessageBoxes
