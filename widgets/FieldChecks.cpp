#include "widgets/FieldChecks.h"

#include <QLineEdit>

#include "common/StorableText.h"
#include "widgets/MessageBoxes.h"

bool RefuseUnstorableField(QLineEdit* edit, const QString& caption, const QString& where) {
    const UnstorableText found = FindUnstorableText(edit->text());
    if (found.first < 0) {
        return false;
    }
    MessageBoxes::ShowError(edit->window(),
                            QStringLiteral("В поле «%1» есть знаки, которые нельзя сохранить в "
                                           "%2: %3.\nУберите или замените их.")
                                .arg(caption, where, found.shown.join(QLatin1Char(' '))));
    edit->setFocus();
    edit->setSelection(int(found.first), int(found.length));
    return true;
}
