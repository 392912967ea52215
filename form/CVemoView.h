#pragma once

#include <QAbstractScrollArea>

#include "form/FormEdition.h"

class CVemoDoc;

// The main window's view: the page of the form on the paper chosen, as wide as the window and
// zoomed with Ctrl and the mouse wheel, scrollable, drawn from the document on every repaint. It
// prints and previews a document through the print dialog, the form placed on the page as on
// the screen.
class CVemoView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CVemoView(const CVemoDoc* doc, QWidget* parent = nullptr);

    const CVemoDoc* GetDocument() const { return m_pDocument; }

    FormPaper Paper() const { return m_paper; }
    FormEdition Edition() const { return m_paper.edition; }
    // Draws, prints and previews the form on this paper from now on.
    void SetPaper(FormPaper paper);

    // How much larger than the window's width the page is drawn: 1 fits the page to the width.
    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    static constexpr double kSmallestZoom = 0.5;
    static constexpr double kLargestZoom = 4.0;
    // The screen's pixels per inch of paper at the present width and zoom.
    double PixelsPerInch() const;
    // The page's size on the screen, in pixels.
    QSize PageSizeInPixels() const;

    // The print dialog, then the document on the paper chosen; false when the user cancels.
    bool Print(const CVemoDoc& doc);
    // The page as it will print, with the print dialog a button away.
    void Preview(const CVemoDoc& doc);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateScrollRanges();
    // Where the page's top-left corner stands in the viewport.
    QPointF PageOrigin() const;

    const CVemoDoc* m_pDocument;
    FormPaper m_paper;
    double m_zoom = 1.0;
};
