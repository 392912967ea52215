#include "orderwindows/CRegisterDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "bank/ChosenTotal.h"

CRegisterDlg::CRegisterDlg(const OrderRegister& reg, bool chosen, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Реестр платежных поручений"));
    const QString which = chosen ? QStringLiteral("выбранные платежные поручения")
                                 : QStringLiteral("все платежные поручения, показанные в списке");
    auto* text = new QLabel(QStringLiteral("В реестр войдут %1.\n%2.\nСумма: %3 руб.")
                                .arg(which, reg.TotalLabel(), ChosenTotal::AmountText(reg.kopecks)),
                            this);
    text->setObjectName(QStringLiteral("summary"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 60);

    auto* buttons = new QDialogButtonBox(this);
    const auto choice = [this, buttons](const QString& label, Choice value) {
        QPushButton* button = buttons->addButton(label, QDialogButtonBox::ActionRole);
        connect(button, &QPushButton::clicked, this, [this, value] {
            m_choice = value;
            accept();
        });
        return button;
    };
    choice(QStringLiteral("Напечатать…"), Choice::Print);
    choice(QStringLiteral("Сохранить в файл…"), Choice::Save)->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}
