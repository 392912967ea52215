#pragma once

#include "form/FormCanvas.h"
#include "form/FormEdition.h"

class CVemoDoc;
class FormSteps;

// The payment order form 0401060 as a fixed sequence of drawing steps, on the paper of one of its
// editions: one copy a page at the current edition's full size, or two identical copies 140 mm
// apart with a cut line between them. Every position is a constant in 0.01 mm with y growing
// upward; each copy's y values are relative to m_nOffsetY.
class CFormLayout {
public:
    explicit CFormLayout(FormPaper paper = FormEdition::Edition2001);

    // Offsets of the copies on the page, and where the cut line lies relative to the first.
    static constexpr int kFirstCopyOffsetY = 1000;
    static constexpr int kSecondCopyOffsetY = -13000;
    static constexpr int kCutLineY = -14800;
    // The extent of a page, for scroll ranges: x up to 18700, y down to -28000.
    static constexpr int kPageWidth = 18700;
    static constexpr int kPageHeight = 28000;
    // The form's left edge; its right edge is the edition's.
    static constexpr int kFormLeft = 500;
    static int FormRight(FormEdition edition);

    // The whole page: its copy or copies, and the cut line between two.
    void OnDraw(FormCanvas& canvas, const CVemoDoc& doc);
    // One copy of the form at m_nOffsetY.
    void DrawForm(FormCanvas& canvas, const CVemoDoc& doc);
    // A rectangle of the copy being drawn: x as given, y moved by m_nOffsetY.
    void FormRect(LogicalRect& rect, double left, double top, double right, double bottom) const;

    int m_nOffsetY = 0;

private:
    // The edition of 2001, step by step.
    void DrawForm2001(FormSteps& s, const CVemoDoc& doc);

    FormPaper m_paper;
};
