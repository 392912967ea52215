#pragma once

#include <QString>

class QSettings;

// The two drawings of form 0401060 the program can print: the current edition that banks take
// today (regulation 762-П), with the budget fields, ИНН and КПП in cells of their own and the
// amount written out with "рубль" and "копейка", which the program draws unless told otherwise;
// and the edition of 2001, which it has always drawn.
enum class FormEdition { Edition2001, Current };

// The paper the form is drawn on: its edition and, for the current edition, whether a sheet
// carries two copies 140 mm apart with a cut line between them, each lower than the edition's
// own drawing, to save paper. By default a sheet carries one copy at the edition's full size,
// the page a bank takes. The edition of 2001 always carries two.
struct FormPaper {
    // Made from an edition alone where a paper is wanted: one copy a sheet where that can be.
    FormPaper(FormEdition edition = FormEdition::Current, bool twoOnASheet = false)  // NOLINT
        : edition(edition), twoOnASheet(twoOnASheet) {}

    FormEdition edition;
    bool twoOnASheet;

    // Whether a sheet carries two copies and the cut line.
    bool TwoCopies() const { return edition == FormEdition::Edition2001 || twoOnASheet; }
};

// Naming the editions and remembering the user's choice.
namespace FormEditions {

// The program's settings hold the edition under this key, as its name, and whether a sheet
// carries two copies of the current edition under the other.
extern const char* const kSettingsKey;
extern const char* const kTwoOnASheetKey;

// "2001" or "current": what the settings hold and what --form takes.
QString Name(FormEdition edition);
// The edition of that name; false, leaving *edition alone, for any other text.
bool FromName(const QString& name, FormEdition* edition);

// The edition last chosen; the current edition, the one a bank takes, when none was or when the
// settings hold something this program does not know.
FormEdition Remembered(const QSettings& settings);
// The paper last chosen: that edition, and one copy a sheet unless two were chosen.
FormPaper RememberedPaper(const QSettings& settings);
void Remember(QSettings& settings, FormPaper paper);

}  // namespace FormEditions
