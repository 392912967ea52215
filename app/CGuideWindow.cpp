#include "app/CGuideWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QSize kWanted(820, 720);

}  // namespace

CGuideWindow::CGuideWindow(QWidget* parent) : QDialog(parent), m_pBrowser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("Руководство"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(true);
    m_pBrowser->setObjectName(QStringLiteral("guide"));
    m_pBrowser->setOpenExternalLinks(true);  // a link out of the guide goes to the browser
    m_pBrowser->setSource(QUrl(QStringLiteral("qrc:/guide/guide.html")));

    auto* back = new QPushButton(QStringLiteral("Назад"), this);
    back->setEnabled(false);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(back, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    auto* contents = new QPushButton(QStringLiteral("Содержание"), this);
    connect(contents, &QPushButton::clicked, m_pBrowser, &QTextBrowser::home);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* button : {back, contents, close}) {
        button->setAutoDefault(false);  // Enter belongs to the guide's links
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pBrowser, 1);
    resize(screen() ? kWanted.boundedTo(screen()->availableGeometry().size()) : kWanted);
}
