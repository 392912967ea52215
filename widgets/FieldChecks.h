#pragma once

#include <QString>

class QLineEdit;
class WrappedLineEdit;

// Refuses a field whose text its file cannot keep (see FindUnstorableText): says which field and
// which characters, and selects the first of them. `where` names the file in the message, as
// "файле реквизитов". True when the field was refused.
bool RefuseUnstorableField(QLineEdit* edit, const QString& caption, const QString& where);
bool RefuseUnstorableField(WrappedLineEdit* edit, const QString& caption, const QString& where);

// Asks before a field keeps a text longer than the form can show in its place, which shows the
// text's first shownChars characters: names the field and how much of it the form shows, and
// lets the user keep it as it is or go back to edit it. Going back, the default, puts the focus on
// the field and selects what the form leaves out. True when the text fits or the user keeps it.
bool ConfirmFieldFitsForm(QLineEdit* edit, const QString& caption, int shownChars);
bool ConfirmFieldFitsForm(WrappedLineEdit* edit, const QString& caption, int shownChars);
