#include "widgets/FieldChecks.h"

#include <QLineEdit>

#include "common/StorableText.h"
#include "widgets/MessageBoxes.h"
#include "widgets/WrappedLineEdit.h"

namespace {

// Both kinds of edit answer the same calls.
template <class Edit>
bool RefuseUnstorable(Edit* edit, const QString& caption, const QString& where) {
    const UnstorableText found = FindUnstorableText(edit->text());
    if (found.first < 0) {
        return false;
    }
    MessageBoxes::ShowError(edit->window(),
                            QStringLiteral("В поле «%1» есть знаки, которые нельзя сохранить в "
                                           "%2: %3.\nУберите или замените их.")
                                .arg(caption, where, found.Names()));
    edit->setFocus();
    edit->setSelection(int(found.first), int(found.length));
    return true;
}

template <class Edit>
bool ConfirmFits(Edit* edit, const QString& caption, int shownChars) {
    const QString text = edit->text();
    const int shown = shownChars;
    if (shown >= text.size()) {
        return true;
    }
    // The last words shown tell the user where the form stops.
    QString lastShown = text.left(shown).right(24);
    if (lastShown.size() < shown && !text.at(shown - lastShown.size() - 1).isSpace() &&
        lastShown.indexOf(QLatin1Char(' ')) > 0) {
        lastShown = lastShown.mid(lastShown.indexOf(QLatin1Char(' ')) + 1);
    }
    const QString shownPart =
        shown > 0 ? QStringLiteral(" — до «…%1»").arg(lastShown.trimmed()) : QString();
    const QString warning =
        QStringLiteral(
            "Поле «%1» не помещается на бланке: из %2 знаков на нем видны только "
            "первые %3%4.")
            .arg(caption)
            .arg(text.size())
            .arg(shown)
            .arg(shownPart);
    if (!MessageBoxes::AskCorrect(edit->window(), QStringLiteral("Vemo"), warning)) {
        return true;
    }
    edit->setFocus();
    edit->setSelection(shown, int(text.size()) - shown);
    return false;
}

}  // namespace

bool RefuseUnstorableField(QLineEdit* edit, const QString& caption, const QString& where) {
    return RefuseUnstorable(edit, caption, where);
}

bool RefuseUnstorableField(WrappedLineEdit* edit, const QString& caption, const QString& where) {
    return RefuseUnstorable(edit, caption, where);
}

bool ConfirmFieldFitsForm(QLineEdit* edit, const QString& caption, int shownChars) {
    return ConfirmFits(edit, caption, shownChars);
}

bool ConfirmFieldFitsForm(WrappedLineEdit* edit, const QString& caption, int shownChars) {
    return ConfirmFits(edit, caption, shownChars);
}
