#include "orderwindows/CStatementDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bank/StatementTexts.h"
#include "common/QuotedValue.h"
#include "requisites/RequisitesFile.h"
#include "widgets/MessageBoxes.h"

namespace {

enum Column { kDocument, kAmount, kParty, kOrder, kColumns };

const QColor kMismatch(0xa0, 0x10, 0x10);

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTreeWidgetItem* Item(QTreeWidgetItem* parent, const QStringList& texts) {
    auto* item = new QTreeWidgetItem(parent, texts);
    item->setTextAlignment(kAmount, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// The ambiguity that holds the entry; null for none.
const StatementAmbiguity* AmbiguityOf(const StatementReport& report, qsizetype entry) {
    for (const StatementAmbiguity& ambiguity : report.ambiguities) {
        if (ambiguity.entries.contains(entry)) {
            return &ambiguity;
        }
    }
    return nullptr;
}

}  // namespace

CStatementDlg::CStatementDlg(const StatementImport& import, const WorkingFolder& folder,
                             QWidget* parent)
    : QDialog(parent), m_import(import), m_folder(folder) {
    setWindowTitle(QStringLiteral("Выписка из банка"));
    QString error;
    const bool answersRead = StatementAnswers::Read(m_folder, &m_answers, &error);
    auto* layout = new QVBoxLayout(this);
    QLabel* kept = WrappedLabel(StatementTexts::KeptText(m_import), this);
    kept->setObjectName(QStringLiteral("kept"));
    layout->addWidget(kept);
    QStringList problems;
    for (const QString& name : m_import.unreadable) {
        problems.append(
            QStringLiteral("Не читается %1: его платежек и реквизитов здесь нет.").arg(name));
    }
    if (!answersRead) {
        problems.append(error);
    }
    if (!m_import.report.ambiguities.isEmpty()) {
        problems.append(QStringLiteral(
            "Есть документы, которые нельзя однозначно сопоставить с поручениями: выберите в "
            "столбце «Поручение», какое поручение исполнено. Ответ запоминается."));
    }
    if (!problems.isEmpty()) {
        QLabel* told = WrappedLabel(problems.join(u'\n'), this);
        told->setObjectName(QStringLiteral("problems"));
        layout->addWidget(told);
    }
    layout->addWidget(CreateStatementTree(), 3);
    if (!m_import.parties.isEmpty()) {
        layout->addWidget(WrappedLabel(
            QStringLiteral("Контрагенты из выписки, которых нет в справочниках:"), this));
        layout->addWidget(CreatePartyList(), 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 175, fontMetrics().height() * 40);
}

QTreeWidget* CStatementDlg::CreateStatementTree() {
    auto* tree = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("statement"));
    tree->setColumnCount(kColumns);
    tree->setHeaderLabels({QStringLiteral("Документ"), QStringLiteral("Сумма"),
                           QStringLiteral("Контрагент, назначение"),
                           QStringLiteral("Поручение в архиве")});
    tree->setUniformRowHeights(true);
    tree->setAlternatingRowColors(true);
    for (const AccountStatement& account : m_import.report.accounts) {
        AddAccount(tree, account);
    }
    if (!m_import.report.unplaced.isEmpty()) {
        auto* other = new QTreeWidgetItem(tree, {QStringLiteral("Прочие документы")});
        AddEntries(other, QStringLiteral("Не по счетам выписки"), m_import.report.unplaced);
        other->setExpanded(true);
    }
    const int chars = fontMetrics().averageCharWidth();
    tree->header()->resizeSection(kDocument, chars * 40);
    tree->header()->resizeSection(kAmount, chars * 16);
    tree->header()->resizeSection(kParty, chars * 56);
    return tree;
}

void CStatementDlg::AddAccount(QTreeWidget* tree, const AccountStatement& account) {
    auto* heading = new QTreeWidgetItem(tree, {StatementTexts::AccountHeading(account.balances)});
    QFont bold = heading->font(kDocument);
    bold.setBold(true);
    heading->setFont(kDocument, bold);
    heading->setFirstColumnSpanned(true);
    for (const auto& [caption, amount] : StatementTexts::BalanceLines(account.balances)) {
        Item(heading, {caption, amount});
    }
    for (const QString& mismatch : account.balances.mismatches) {
        QTreeWidgetItem* item = Item(heading, {QStringLiteral("Не сходится: ") + mismatch});
        item->setForeground(kDocument, kMismatch);
        item->setFirstColumnSpanned(true);
    }
    AddEntries(heading, QStringLiteral("Списания"), account.outgoing);
    AddEntries(heading, QStringLiteral("Поступления"), account.incoming);
    AddEntries(heading, QStringLiteral("Операции банка"), account.bankOperations);
    heading->setExpanded(true);
}

void CStatementDlg::AddEntries(QTreeWidgetItem* parent, const QString& caption,
                               const QList<qsizetype>& entries) {
    if (entries.isEmpty()) {
        return;
    }
    auto* group =
        new QTreeWidgetItem(parent, {QStringLiteral("%1 (%2)").arg(caption).arg(entries.size())});
    group->setFirstColumnSpanned(true);
    for (qsizetype entry : entries) {
        const StatementTexts::Row row = StatementTexts::RowOf(m_import, entry);
        QTreeWidgetItem* item = Item(group, {row.document, row.amount, row.party, row.order});
        item->setToolTip(kParty, row.party);
        if (const StatementAmbiguity* ambiguity = AmbiguityOf(m_import.report, entry)) {
            item->setText(kOrder, QString());
            item->treeWidget()->setItemWidget(item, kOrder, CreateAnswerChoice(entry, *ambiguity));
        }
    }
    group->setExpanded(true);
}

QComboBox* CStatementDlg::CreateAnswerChoice(qsizetype entry, const StatementAmbiguity& ambiguity) {
    auto* choice = new QComboBox();
    choice->setObjectName(QStringLiteral("answer"));
    const ExchangeDocument& document =
        m_import.file.Documents()[m_import.report.entries[entry].document];
    const std::optional<QString> answer = m_answers.OrderOf(m_import.kept.name, document.line);
    if (!answer) {
        choice->addItem(QStringLiteral("? выберите поручение"));
    }
    for (qsizetype order : ambiguity.orders) {
        choice->addItem(StatementTexts::OrderText(m_import, order),
                        m_import.orders.files.value(order));
    }
    choice->addItem(QStringLiteral("ни одно из них"), QStringLiteral(""));
    if (answer) {
        choice->setCurrentIndex(qMax(0, choice->findData(*answer)));
    }
    // An answer is kept beside the statement: one not kept has nowhere to go.
    choice->setEnabled(!m_import.kept.name.isEmpty());
    connect(choice, &QComboBox::activated, this, [this, choice, entry](int index) {
        const QVariant file = choice->itemData(index);
        if (!file.isNull()) {
            OnAnswer(entry, file.toString());
        }
    });
    return choice;
}

void CStatementDlg::OnAnswer(qsizetype entry, const QString& orderFile) {
    const ExchangeDocument& document =
        m_import.file.Documents()[m_import.report.entries[entry].document];
    m_answers.Set(m_import.kept.name, document.line, orderFile);
    QString error;
    if (!m_answers.Save(m_folder, &error)) {
        MessageBoxes::ShowError(
            this,
            MessageBoxes::WithReason(
                QStringLiteral("Не могу записать ответ в %1").arg(StatementAnswers::FileName()),
                error));
    }
}

QTreeWidget* CStatementDlg::CreatePartyList() {
    auto* list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("parties"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Справочник"), QStringLiteral("Название"),
                           QStringLiteral("ИНН/КПП"), QStringLiteral("Счет"), QStringLiteral("БИК"),
                           QStringLiteral("Банк"), QString()});
    for (qsizetype p = 0; p < m_import.parties.size(); ++p) {
        const StatementParty& party = m_import.parties[p];
        const CRequisite& record = party.record;
        auto* item = new QTreeWidgetItem(
            list, {party.nKind == kPayersKind ? QStringLiteral("плательщики")
                                              : QStringLiteral("получатели"),
                   record.m_strName, record.m_strInnKpp, AccountsOf(record, party.nKind).own,
                   record.m_strBik, record.m_strBank});
        item->setToolTip(1, StatementTexts::PartyText(party));
        auto* add = new QPushButton(QStringLiteral("Добавить"));
        connect(add, &QPushButton::clicked, this, [this, p, add] { OnAddParty(p, add); });
        list->setItemWidget(item, 6, add);
    }
    // A few parties: each column as wide as what it holds, the bank's name taking what is left.
    for (int column = 0; column < list->columnCount(); ++column) {
        list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    list->header()->setSectionResizeMode(5, QHeaderView::Stretch);
    return list;
}

void CStatementDlg::OnAddParty(qsizetype party, QPushButton* button) {
    const StatementParty& offered = m_import.parties[party];
    CRequisite record = offered.record;
    const QString book = RequisitesFile::FileName(offered.nKind);
    // A book names each party once: a name it holds already needs another.
    while (m_folder.FindParty(offered.nKind, record.m_strName).found) {
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, QStringLiteral("Добавить в справочник"),
                                  QStringLiteral("В %1 уже есть %2. Название новой записи:")
                                      .arg(book, QuotedValue(record.m_strName)),
                                  QLineEdit::Normal,
                                  QStringLiteral("%1 (ИНН %2)")
                                      .arg(record.m_strName, SplitInnKpp(record.m_strInnKpp).inn),
                                  &ok);
        if (!ok || name.trimmed().isEmpty()) {
            return;
        }
        record.m_strName = name.trimmed();
    }
    if (!m_folder.AddRecord(offered.nKind, record)) {
        MessageBoxes::ShowError(this, QStringLiteral("Не могу записать %1: %2 не добавлен")
                                          .arg(book, QuotedValue(record.m_strName)));
        return;
    }
    button->setText(QStringLiteral("Добавлен"));
    button->setEnabled(false);
}
