#pragma once

#include <QDialog>

class QLabel;

// The About box: the program's name, version and release date. Its "Информация" button opens a
// strip below with two lines of feedback text, and closes it again on the next press.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // How much taller the box gets while the information strip is open, in pixels.
    static constexpr int kInformationStripHeight = 70;

    bool m_bExpanded = false;  // the information strip is open

public slots:
    void OnInformation();

private:
    void CreateControls();
    QLabel* CreateInformationLine(const QString& text, int x, int y);

    QLabel* m_pInformationLine1 = nullptr;
    QLabel* m_pInformationLine2 = nullptr;
};
