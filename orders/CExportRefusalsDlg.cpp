#include "orders/CExportRefusalsDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kListWidth = 560;
constexpr int kListHeight = 160;

QLabel* WarningIcon(QWidget* parent) {
    auto* icon = new QLabel(parent);
    const int size = parent->style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    icon->setPixmap(parent->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size));
    icon->setAlignment(Qt::AlignTop);
    return icon;
}

QString Heading(qsizetype refused, qsizetype exportable) {
    if (exportable == 0) {
        return QStringLiteral("Ни одну из платежек нельзя выгрузить в банк:");
    }
    return QStringLiteral(
               "Эти платежки (%1) нельзя выгрузить в банк. Остальные (%2) можно "
               "выгрузить без них.")
        .arg(refused)
        .arg(exportable);
}

}  // namespace

CExportRefusalsDlg::CExportRefusalsDlg(const QList<BankExport::Refusal>& refused,
                                       qsizetype exportable, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Выгрузка в банк"));

    auto* heading = new QLabel(Heading(refused.size(), exportable), this);
    heading->setWordWrap(true);
    // However many there are, they stay in one list that scrolls.
    auto* list = new QPlainTextEdit(BankExport::RefusalsText(refused), this);
    list->setObjectName(QStringLiteral("refusals"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setMinimumSize(kListWidth, kListHeight);

    auto* buttons = new QDialogButtonBox(this);
    if (exportable > 0) {
        buttons->addButton(QStringLiteral("Выгрузить остальные"), QDialogButtonBox::AcceptRole);
    }
    QPushButton* nothing = buttons->addButton(
        exportable > 0 ? QStringLiteral("Ничего не выгружать") : QStringLiteral("Закрыть"),
        QDialogButtonBox::RejectRole);
    // Enter takes the harmless answer.
    nothing->setDefault(true);
    nothing->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(list);
    auto* body = new QHBoxLayout;
    body->addWidget(WarningIcon(this));
    body->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
}
