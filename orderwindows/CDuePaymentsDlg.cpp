#include "orderwindows/CDuePaymentsDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int kMostVisibleHeight = 360;

}  // namespace

CDuePaymentsDlg::CDuePaymentsDlg(const QList<DuePayment>& payments, Make make, Skip skip,
                                 QWidget* parent)
    : QDialog(parent), m_payments(payments), m_make(std::move(make)), m_skip(std::move(skip)) {
    setWindowTitle(QStringLiteral("Пора платить"));
    auto* heading = new QLabel(
        QStringLiteral("Срок этих платежей наступил, а платежных поручений по ним еще нет. "
                       "«Создать» откроет поручение, заполненное по шаблону; «Пропустить» — "
                       "в этом периоде платить не нужно."),
        this);
    heading->setWordWrap(true);

    // However many payments there are, they scroll in one list.
    auto* rows = new QWidget;
    m_pGrid = new QGridLayout(rows);
    for (int row = 0; row < m_payments.size(); ++row) {
        AddRow(m_pGrid, row, m_payments.at(row));
    }
    m_pGrid->setColumnStretch(0, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMinimumWidth(rows->sizeHint().width() +
                            scroll->verticalScrollBar()->sizeHint().width());
    scroll->setMinimumHeight(qMin(rows->sizeHint().height(), kMostVisibleHeight));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);
}

void CDuePaymentsDlg::AddRow(QGridLayout* grid, int row, const DuePayment& payment) {
    auto* text = new QLabel(QStringLiteral("Пора платить: ") + payment.Text());
    text->setTextFormat(Qt::PlainText);
    QString due = QStringLiteral("срок %1").arg(payment.occurrence.due.toString("dd.MM.yyyy"));
    if (payment.isNew) {
        due += QStringLiteral(", новый");
        QFont bold = text->font();
        bold.setBold(true);
        text->setFont(bold);
    }
    Row buttons;
    buttons.make = new QPushButton(QStringLiteral("Создать"));
    buttons.make->setObjectName(QStringLiteral("make%1").arg(row));
    buttons.skip = new QPushButton(QStringLiteral("Пропустить"));
    buttons.skip->setObjectName(QStringLiteral("skip%1").arg(row));
    connect(buttons.make, &QPushButton::clicked, this, [this, row] {
        if (const int number = m_make(m_payments.at(row), this)) {
            Settle(row, QStringLiteral("создано поручение № %1").arg(number));
        }
    });
    connect(buttons.skip, &QPushButton::clicked, this, [this, row] {
        if (m_skip(m_payments.at(row), this)) {
            Settle(row, QStringLiteral("пропущено"));
        }
    });
    grid->addWidget(text, row, 0);
    grid->addWidget(new QLabel(due), row, 1);
    grid->addWidget(buttons.make, row, 2);
    grid->addWidget(buttons.skip, row, 3);
    m_rows.append(buttons);
}

void CDuePaymentsDlg::Settle(int row, const QString& outcome) {
    Row& buttons = m_rows[row];
    buttons.make->hide();
    buttons.skip->hide();
    auto* told = new QLabel(outcome);
    told->setObjectName(QStringLiteral("outcome%1").arg(row));
    m_pGrid->addWidget(told, row, 2, 1, 2);
    told->show();
}
