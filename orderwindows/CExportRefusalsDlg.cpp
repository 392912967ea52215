#include "orderwindows/CExportRefusalsDlg.h"

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

// The dialog's words for what is being done.
struct Wording {
    QString title;
    QString none;     // not one order can go
    QString some;     // these (%1) cannot, the rest (%2) can
    QString goOn;     // the button that goes on with the rest
    QString nothing;  // the one that does nothing
};

Wording WordingOf(CExportRefusalsDlg::Action action) {
    if (action == CExportRefusalsDlg::Action::Print) {
        return {QStringLiteral("Печать платежек"),
                QStringLiteral("Ни одну из платежек нельзя напечатать целиком:"),
                QStringLiteral("Эти платежки (%1) нельзя напечатать целиком. Остальные (%2) можно "
                               "напечатать без них."),
                QStringLiteral("Напечатать остальные"), QStringLiteral("Ничего не печатать")};
    }
    return {QStringLiteral("Выгрузка в банк"),
            QStringLiteral("Ни одну из платежек нельзя выгрузить в банк:"),
            QStringLiteral("Эти платежки (%1) нельзя выгрузить в банк. Остальные (%2) можно "
                           "выгрузить без них."),
            QStringLiteral("Выгрузить остальные"), QStringLiteral("Ничего не выгружать")};
}

}  // namespace

CExportRefusalsDlg::CExportRefusalsDlg(const QList<OrderRefusal>& refused, qsizetype exportable,
                                       Action action, QWidget* parent)
    : QDialog(parent) {
    const Wording words = WordingOf(action);
    setWindowTitle(words.title);

    auto* heading = new QLabel(
        exportable == 0 ? words.none : words.some.arg(refused.size()).arg(exportable), this);
    heading->setWordWrap(true);
    // However many there are, they stay in one list that scrolls up and down; a long reason
    // wraps within the list's width rather than hide behind a scroll bar.
    auto* list = new QPlainTextEdit(OrderRefusal::ListText(refused), this);
    list->setObjectName(QStringLiteral("refusals"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    list->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumSize(kListWidth, kListHeight);

    auto* buttons = new QDialogButtonBox(this);
    if (exportable > 0) {
        buttons->addButton(words.goOn, QDialogButtonBox::AcceptRole);
    }
    QPushButton* nothing = buttons->addButton(
        exportable > 0 ? words.nothing : QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
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
