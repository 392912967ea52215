#pragma once

#include <QString>

class QLineEdit;

// Refuses a field whose text its file cannot keep (see FindUnstorableText): says which field and
// which characters, and selects the first of them. `where` names the file in the message, as
// "файле реквизитов". True when the field was refused.
bool RefuseUnstorableField(QLineEdit* edit, const QString& caption, const QString& where);
