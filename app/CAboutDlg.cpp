#include "app/CAboutDlg.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "widgets/DialogUnits.h"

namespace {

// The version line is indented with blanks so that it stands under the end of the name.
const QString kTitle = QStringLiteral("Редактор платежных поручений\n") +
                       QString(36, QLatin1Char(' ')) + QStringLiteral("Версия 1.0");
const QString kReleaseDate = QStringLiteral("Дата релиза февраль 2001г.");
// One word is hyphenated across the two lines.
const QString kInformationLine1 = QStringLiteral("Отзывы,  предложения,  информация о  дальней-");
const QString kInformationLine2 =
    QStringLiteral("ших версиях программы по адресу vemo@example.org");

QLabel* CreateText(QWidget* parent, const QString& text) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // shown as written: no markup, no mnemonics
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(text);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("О программе"));
    CreateControls();
}

void CAboutDlg::CreateControls() {
    // The template's controls, in its order (which is also the tab order), in dialog units.
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    units.Place(icon, 11, 17, 21, 20);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/about.png"))
                        .scaled(icon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    units.Place(CreateText(this, kTitle), 40, 10, 119, 16);
    units.Place(CreateText(this, kReleaseDate), 39, 33, 119, 8);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    units.Place(ok, 178, 7, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* information = new QPushButton(QStringLiteral("Информация"), this);
    units.Place(information, 179, 38, 50, 9);
    connect(information, &QPushButton::clicked, this, &CAboutDlg::OnInformation);

    // The strip's lines sit in pixels, not dialog units, below the template's own area.
    m_pInformationLine1 = CreateInformationLine(kInformationLine1, 10, 100);
    m_pInformationLine2 = CreateInformationLine(kInformationLine2, 10, 120);

    setFixedSize(units.Size(235, 54));
}

QLabel* CAboutDlg::CreateInformationLine(const QString& text, int x, int y) {
    QLabel* line = CreateText(this, text);
    line->adjustSize();
    line->move(x, y);
    line->hide();  // shown only while the strip is open
    return line;
}

void CAboutDlg::OnInformation() {
    // Only the bottom edge moves: the box keeps its place and width on the screen.
    const int height = m_bExpanded ? this->height() - kInformationStripHeight
                                   : this->height() + kInformationStripHeight;
    m_bExpanded = !m_bExpanded;
    setFixedSize(width(), height);
    m_pInformationLine1->setVisible(m_bExpanded);
    m_pInformationLine2->setVisible(m_bExpanded);
}
