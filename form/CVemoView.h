#pragma once

#include <QAbstractScrollArea>

class CVemoDoc;

// The main window's view: the page of the form, scrollable, drawn from the document on every
// repaint, and printed as one page through the print dialog.
class CVemoView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CVemoView(const CVemoDoc* doc, QWidget* parent = nullptr);

    const CVemoDoc* GetDocument() const { return m_pDocument; }
    // The page size on this screen, in pixels.
    QSize PageSizeInPixels() const;

public slots:
    void OnFilePrint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateScrollRanges();

    const CVemoDoc* m_pDocument;
};
