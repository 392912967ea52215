#pragma once

#include <QDialog>

class QTextBrowser;

// Помощь → "Руководство": the guide for the accountant (qrc:/guide/guide.html), in the toolkit's
// rich-text viewer, beside the main window rather than in front of it, so that the user reads and
// works at once. Links inside the guide lead to its sections; "Назад" goes back along them.
class CGuideWindow : public QDialog {
    Q_OBJECT
public:
    explicit CGuideWindow(QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};
