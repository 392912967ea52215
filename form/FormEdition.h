#pragma once

#include <QString>

class QSettings;

// The two drawings of form 0401060 the program can print: the edition of 2001, which the program
// has always drawn and still draws unless told otherwise, and the current edition that banks take
// today (regulation 762-П), with the budget fields, ИНН and КПП in cells of their own and the
// amount written out with "рубль" and "копейка".
enum class FormEdition { Edition2001, Current };

// Naming the editions and remembering the user's choice.
namespace FormEditions {

// The program's settings hold the choice under this key, as the edition's name.
extern const char* const kSettingsKey;

// "2001" or "current": what the settings hold and what --form takes.
QString Name(FormEdition edition);
// The edition of that name; false, leaving *edition alone, for any other text.
bool FromName(const QString& name, FormEdition* edition);

// The edition last chosen; the edition of 2001 when none was, or when the settings hold
// something this program does not know.
FormEdition Remembered(const QSettings& settings);
void Remember(QSettings& settings, FormEdition edition);

}  // namespace FormEditions
