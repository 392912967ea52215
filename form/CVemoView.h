#pragma once

#include <QAbstractScrollArea>

#include "form/FormEdition.h"

class CVemoDoc;

// The main window's view: the page of the form in the edition chosen, scrollable, drawn from the
// document on every repaint, and printed as one page through the print dialog or the print
// preview.
class CVemoView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CVemoView(const CVemoDoc* doc, QWidget* parent = nullptr);

    const CVemoDoc* GetDocument() const { return m_pDocument; }
    // The page size on this screen, in pixels.
    QSize PageSizeInPixels() const;

    FormEdition Edition() const { return m_edition; }
    // Draws, prints and previews the form in this edition from now on.
    void SetEdition(FormEdition edition);

public slots:
    void OnFilePrint();
    // The page as it will print, with the print dialog a button away.
    void OnFilePrintPreview();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateScrollRanges();

    const CVemoDoc* m_pDocument;
    FormEdition m_edition = FormEdition::Edition2001;
};
