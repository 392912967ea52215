#include "bank/StatementTexts.h"

#include <QStringList>

#include "bank/AccountBalances.h"
#include "bank/StatementAnswers.h"
#include "bank/StatementImport.h"
#include "orders/OrderTexts.h"

namespace StatementTexts {
namespace {

QString Day(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("?");
}

QString DocumentText(const ExchangeDocument& document) {
    return QStringLiteral("№ %1 от %2").arg(document.number, Day(document.date));
}

// The ambiguity the entry is part of; null for none.
const StatementAmbiguity* AmbiguityOf(const StatementReport& report, qsizetype entry) {
    for (const StatementAmbiguity& ambiguity : report.ambiguities) {
        if (ambiguity.entries.contains(entry)) {
            return &ambiguity;
        }
    }
    return nullptr;
}

QString OrderOfEntry(const StatementImport& import, qsizetype entry) {
    const StatementReport& report = import.report;
    for (const StatementAnswer& answer : report.answers) {
        if (answer.entry == entry) {
            return OrderText(import, answer.order);
        }
    }
    if (report.notInArchive.contains(entry)) {
        return QStringLiteral("нет в архиве");
    }
    return AmbiguityOf(report, entry) ? QStringLiteral("вопрос") : QString();
}

}  // namespace

QString KeptText(const StatementImport& import) {
    if (import.kept.alreadyKept) {
        return QStringLiteral("Эта выписка уже загружена (%1): ничего не изменилось.")
            .arg(import.kept.name);
    }
    if (import.kept.kept) {
        return QStringLiteral("Выписка загружена и сохранена: %1.").arg(import.kept.name);
    }
    return QStringLiteral(
               "Выписка прочитана, но не сохранена (%1): состояния поручений ее не "
               "учтут.")
        .arg(import.kept.error);
}

QString AccountHeading(const AccountBalances& balances) {
    return QStringLiteral("Счет %1 за %2–%3")
        .arg(balances.account, Day(balances.from), Day(balances.to));
}

QList<QPair<QString, QString>> BalanceLines(const AccountBalances& balances) {
    if (!balances.known) {
        return {{QStringLiteral("Остатки"), QStringLiteral("в выписке не указаны")}};
    }
    return {{QStringLiteral("Входящий остаток"), AccountBalances::MoneyText(balances.opening)},
            {QStringLiteral("Поступило"), AccountBalances::MoneyText(balances.credited)},
            {QStringLiteral("Списано"), AccountBalances::MoneyText(balances.debited)},
            {QStringLiteral("Исходящий остаток"), AccountBalances::MoneyText(balances.closing)}};
}

Row RowOf(const StatementImport& import, qsizetype entry) {
    const StatementEntry& what = import.report.entries[entry];
    const ExchangeDocument& document = import.file.Documents()[what.document];
    Row row;
    row.document = DocumentText(document);
    row.amount = AccountBalances::MoneyText(document.kopecks);
    switch (what.kind) {
        case StatementEntry::Kind::Outgoing:
            row.party = StatementParty::NameOf(import.file, document, kRecipientsKind);
            row.order = OrderOfEntry(import, entry);
            break;
        case StatementEntry::Kind::Incoming:
            row.party = StatementParty::NameOf(import.file, document, kPayersKind);
            break;
        case StatementEntry::Kind::BankOperation:
        case StatementEntry::Kind::Other:
            row.party = import.file.Value(document, QStringLiteral("НазначениеПлатежа"));
            break;
    }
    return row;
}

QString OrderText(const StatementImport& import, qsizetype order) {
    const OrderRow& row = import.orders.rows[order];
    const QDate date = OrderTexts::DateFromText(row[kColumnDate]);
    return QStringLiteral("№ %1 от %2 (%3)")
        .arg(row[kColumnNumber].trimmed(), date.isValid() ? Day(date) : row[kColumnDate].trimmed(),
             import.orders.files.value(order));
}

QString QuestionText(const StatementImport& import, const StatementAmbiguity& ambiguity) {
    QStringList documents;
    for (qsizetype entry : ambiguity.entries) {
        const ExchangeDocument& document =
            import.file.Documents()[import.report.entries[entry].document];
        documents.append(
            QStringLiteral("%1 на %2")
                .arg(DocumentText(document), AccountBalances::MoneyText(document.kopecks)));
    }
    QStringList orders;
    for (qsizetype order : ambiguity.orders) {
        orders.append(OrderText(import, order));
    }
    const bool one = ambiguity.entries.size() == 1;
    return QStringLiteral("%1 %2 %3 к %4: %5")
        .arg(one ? QStringLiteral("Документ") : QStringLiteral("Документы"),
             documents.join(QStringLiteral(", ")),
             one ? QStringLiteral("подходит") : QStringLiteral("подходят"),
             ambiguity.orders.size() == 1 ? QStringLiteral("поручению")
                                          : QStringLiteral("поручениям"),
             orders.join(QStringLiteral(", ")));
}

QString AnswersText(const StatementImport& import, const StatementAnswers& answers,
                    const StatementAmbiguity& ambiguity) {
    QStringList told;
    for (qsizetype entry : ambiguity.entries) {
        const ExchangeDocument& document =
            import.file.Documents()[import.report.entries[entry].document];
        const std::optional<QString> answer = answers.OrderOf(import.kept.name, document.line);
        if (!answer) {
            return QStringLiteral("Ответа нет: выберите поручение в окне выписки");
        }
        const qsizetype order = import.orders.files.indexOf(*answer);
        told.append(QStringLiteral("%1 — %2").arg(DocumentText(document),
                                                  answer->isEmpty() || order < 0
                                                      ? QStringLiteral("ни одно из поручений")
                                                      : OrderText(import, order)));
    }
    return QStringLiteral("Ответ: ") + told.join(QStringLiteral("; "));
}

QString PartyText(const StatementParty& party) {
    const QString own = AccountsOf(party.record, party.nKind).own;
    QString text =
        QStringLiteral("%1 %2, ИНН/КПП %3, счет %4, БИК %5")
            .arg(party.nKind == kPayersKind ? QStringLiteral("плательщик")
                                            : QStringLiteral("получатель"),
                 party.record.m_strName, party.record.m_strInnKpp, own, party.record.m_strBik);
    if (!party.record.m_strBank.isEmpty()) {
        text += QStringLiteral(", ") + party.record.m_strBank;
    }
    return text;
}

}  // namespace StatementTexts
