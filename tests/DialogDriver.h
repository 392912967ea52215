#pragma once

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

// Driving windows as the user does: buttons found by their text and clicked with the mouse, and
// the modal dialog that a click opens handed to the test once it is up.

// The window's push button with the text; null when there is none.
inline QPushButton* FindButton(QWidget* window, const QString& text) {
    for (QPushButton* push : window->findChildren<QPushButton*>()) {
        if (push->text() == text) {
            return push;
        }
    }
    return nullptr;
}

// The command of a menu of the bar, by the texts the user reads; null when there is none.
inline QAction* MenuAction(QMenuBar* bar, const QString& menu, const QString& item) {
    for (QAction* top : bar->actions()) {
        if (top->menu() && top->text() == menu) {
            for (QAction* action : top->menu()->actions()) {
                if (action->text() == item) {
                    return action;
                }
            }
        }
    }
    return nullptr;
}

// Types into a line edit (or the wrapped edit of a long text) key by key, as the user does, over
// what it held.
template <class Edit>
void TypeOver(Edit* edit, const QString& text) {
    edit->setFocus();
    edit->clear();
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void ClickButton(QWidget* window, const QString& text) {
    QPushButton* push = FindButton(window, text);
    QVERIFY2(push, qPrintable(text));
    QTest::mouseClick(push, Qt::LeftButton);
}

// Hands the dialog of that class that opens next to the handler, after what it tells as it opens
// (as the user sees it), and closes it if the handler leaves it open, so that no test hangs on it.
template <class Dialog>
void WhenDialogOpens(const std::function<void(Dialog*)>& handle) {
    QTimer::singleShot(0, [handle] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dlg) {
            return;
        }
        QCoreApplication::sendPostedEvents(dlg, QEvent::MetaCall);
        handle(dlg);
        if (dlg->isVisible()) {
            dlg->QDialog::reject();  // as the test left it, without the question of what was typed
        }
    });
}

// Hands the next modal window of that class to the handler once it is up, however long the code
// before it takes, and closes it if the handler leaves it open. *seen tells whether it came. The
// watch ends with the context, so that it never reaches into the next test.
template <class Window>
void WhenModalShows(QObject* context, bool* seen, const std::function<void(Window*)>& handle,
                    int triesLeft = 300) {
    QTimer::singleShot(10, context, [=] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (!window) {
            if (triesLeft > 0) {
                WhenModalShows<Window>(context, seen, handle, triesLeft - 1);
            }
            return;
        }
        *seen = true;
        handle(window);
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
            dialog->QDialog::reject();  // without the question of what was typed
        } else if (window->isVisible()) {
            window->close();
        }
    });
}
