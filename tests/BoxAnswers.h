#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <functional>

// Answers the message boxes that come up, one after the other, by clicking the button of each
// answer's text ("OK" once the answers are used up), and keeps what each box said.
class BoxAnswers {
public:
    // beforeAnswer, when given, runs as each box is seen, before it is answered.
    explicit BoxAnswers(const QStringList& answers,
                        std::function<void(const QString& text)> beforeAnswer = {})
        : m_answers(answers), m_beforeAnswer(std::move(beforeAnswer)) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { AnswerOpenBox(); });
        m_timer.start();
    }

    struct Seen {
        QString caption;
        QString text;
        QStringList buttons;
        QString defaultButton;
        QString parentClass;  // the window it was asked over, which may be gone by now
    };
    QList<Seen> seen;

private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        QWidget* parent = box->parentWidget();
        Seen what{box->windowTitle(),
                  box->text(),
                  {},
                  {},
                  parent ? QString::fromLatin1(parent->metaObject()->className()) : QString()};
        for (QAbstractButton* button : box->buttons()) {
            what.buttons.append(button->text());
        }
        if (box->defaultButton()) {
            what.defaultButton = box->defaultButton()->text();
        }
        seen.append(what);
        if (m_beforeAnswer) {
            m_beforeAnswer(what.text);
        }
        const QString answer = m_answers.isEmpty() ? QStringLiteral("OK") : m_answers.takeFirst();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == answer) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        box->reject();  // an unexpected box must not hang the test
    }

    QStringList m_answers;
    std::function<void(const QString& text)> m_beforeAnswer;
    QTimer m_timer;
};
