#include "widgets/TypedChanges.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "widgets/MessageBoxes.h"

namespace {

const char kIgnored[] = "vemoNotData";

bool Ignored(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->property(kIgnored).toBool()) {
            return true;
        }
    }
    return false;
}

}  // namespace

void TypedChanges::Ignore(QWidget* widget) {
    widget->setProperty(kIgnored, true);
}

QStringList TypedChanges::Contents() const {
    QStringList contents;
    if (!m_dialog) {
        return contents;
    }
    // In the order the widgets were made, which does not change while the dialog is up.
    for (const QWidget* widget : m_dialog->findChildren<QWidget*>()) {
        if (Ignored(widget)) {
            continue;
        }
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            contents.append(edit->text());
        } else if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget)) {
            contents.append(text->toPlainText());
        } else if (const auto* list = qobject_cast<const QListWidget*>(widget)) {
            const QList<QListWidgetItem*> chosen = list->selectedItems();
            contents.append(chosen.isEmpty() ? QString() : chosen.first()->text());
        } else if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
            contents.append(box->currentText());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
                   button && button->isCheckable()) {
            contents.append(button->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        }
    }
    return contents;
}

void TypedChanges::Remember() {
    m_remembered = Contents();
    m_bRemembered = true;
}

bool TypedChanges::Changed() const {
    return m_bRemembered && Contents() != m_remembered;
}

bool TypedChanges::ConfirmDiscard(const QString& question) const {
    return !Changed() || MessageBoxes::AskYesNo(m_dialog, question, MessageBoxes::Answer::No);
}
