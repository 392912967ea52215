#pragma once

#include <QString>

#include "form/FormCanvas.h"
#include "form/FormEdition.h"
#include "form/FormField.h"

class CVemoDoc;

// Small verbs over the canvas, so that a drawing sequence reads like the form's own table: each
// step of one copy of the document's form, its y moved by the copy's offset on the page.
class FormSteps {
public:
    FormSteps(FormCanvas& canvas, int offsetY, FormPaper paper, const CVemoDoc& doc);

    FormCanvas& Canvas() const { return m_canvas; }
    FormPaper Paper() const { return m_paper; }

    // A rectangle of the copy at offsetY: each value cut to a whole number, y moved by the offset.
    static LogicalRect Rect(int offsetY, double left, double top, double right, double bottom);

    void Text(const QString& text, int left, int top, int right, int bottom, int format);
    // A value of the document: in its own rectangle when it fits there, else fitted to its room;
    // in grey where the document holds a placeholder for it.
    void Value(FormField field, const QString& text);
    void Rule(int x1, int y1, int x2, int y2);
    void Box(int left, int top, int right, int bottom);

private:
    FormCanvas& m_canvas;
    int m_nOffsetY;
    FormPaper m_paper;
    const CVemoDoc& m_doc;
};
