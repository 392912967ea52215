#pragma once

class CVemoDoc;
class FormSteps;

// The current edition of form 0401060 as a fixed sequence of drawing steps: the bank's date
// lines and the form's code at the top, the title with the date, the type of payment and the
// payer's status, the grid of the parties and their banks with ИНН and КПП in cells of their own,
// the code cells, the row of budget fields, the purpose, and the signatures, on the rows of the
// paper's CurrentFormGrid. Captions are in the smaller caption font; the places of the values are
// CurrentFormPlaces.
namespace CurrentFormLayout {

// One copy at the layout's offset: boxes first, whose white fill would cover what lies in them,
// then the rules, the captions and the values.
void DrawForm(FormSteps& steps, const CVemoDoc& doc);

}  // namespace CurrentFormLayout
