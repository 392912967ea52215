#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Whether the user changed anything in a dialog since it was shown: every text field, list
// choice, check and choice box it holds, compared with what they held then. Esc, "Отмена" and the
// close box ask before a changed dialog throws its contents away.
class TypedChanges {
public:
    explicit TypedChanges(QDialog* dialog) : m_dialog(dialog) {}

    // Marks a field that only helps the user find (a filter), whose text is not the dialog's data.
    static void Ignore(QWidget* widget);

    // Takes what the dialog holds now as its unchanged contents.
    void Remember();
    bool Changed() const;
    // True when the dialog may close: nothing changed, or the user said to throw the changes
    // away. Enter answers "Нет", which keeps the dialog open.
    bool ConfirmDiscard(const QString& question) const;

private:
    QStringList Contents() const;

    QPointer<QDialog> m_dialog;
    QStringList m_remembered;
    bool m_bRemembered = false;
};
