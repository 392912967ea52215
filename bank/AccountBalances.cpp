#include "bank/AccountBalances.h"

#include <algorithm>

#include "bank/ChosenTotal.h"
#include "bank/ExchangeFile.h"

namespace {

QString DayText(const QDate& date) {
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString PeriodText(const ExchangeBalance& section) {
    if (section.from == section.to) {
        return DayText(section.from);
    }
    return QStringLiteral("%1–%2").arg(DayText(section.from), DayText(section.to));
}

// The sections of the account in the order of their days.
QList<const ExchangeBalance*> SectionsOf(const ExchangeFile& file, const QString& account) {
    QList<const ExchangeBalance*> sections;
    for (const ExchangeBalance& section : file.Balances()) {
        if (section.account == account) {
            sections.append(&section);
        }
    }
    std::stable_sort(
        sections.begin(), sections.end(),
        [](const ExchangeBalance* a, const ExchangeBalance* b) { return a->from < b->from; });
    return sections;
}

// Adds up the sections in the order of their days; false when one of them lacks an amount.
bool AddUp(const QList<const ExchangeBalance*>& sections, AccountBalances* account) {
    using Money = AccountBalances;
    const ExchangeBalance* previous = nullptr;
    bool complete = true;
    for (const ExchangeBalance* section : sections) {
        complete = complete && section->complete;
        if (!section->complete) {
            account->mismatches.append(
                QStringLiteral("за %1 остатки и обороты указаны не все").arg(PeriodText(*section)));
        } else if (section->opening + section->credited - section->debited != section->closing) {
            account->mismatches.append(
                QStringLiteral("за %1: %2 + %3 − %4 = %5, а конечный остаток %6")
                    .arg(PeriodText(*section), Money::MoneyText(section->opening),
                         Money::MoneyText(section->credited), Money::MoneyText(section->debited),
                         Money::MoneyText(section->opening + section->credited - section->debited),
                         Money::MoneyText(section->closing)));
        }
        if (previous && previous->closing != section->opening) {
            account->mismatches.append(
                QStringLiteral("остаток на начало %1 — %2, а на конец %3 — %4")
                    .arg(DayText(section->from), Money::MoneyText(section->opening),
                         DayText(previous->to), Money::MoneyText(previous->closing)));
        }
        account->credited += section->credited;
        account->debited += section->debited;
        previous = section;
    }
    account->from = sections.first()->from;
    account->to = sections.last()->to;
    account->opening = sections.first()->opening;
    account->closing = sections.last()->closing;
    return complete;
}

// The documents must make up the movements the sections total. A file of balances alone says
// nothing of them.
void CheckDocuments(const ExchangeFile& file, AccountBalances* account) {
    qint64 credited = 0;
    qint64 debited = 0;
    for (const ExchangeDocument& document : file.Documents()) {
        if (document.payerAccount == account->account) {
            debited += document.kopecks;
        }
        if (document.recipientAccount == account->account) {
            credited += document.kopecks;
        }
    }
    using Money = AccountBalances;
    if (debited != account->debited) {
        account->mismatches.append(
            QStringLiteral("документы списали %1, а всего списано %2")
                .arg(Money::MoneyText(debited), Money::MoneyText(account->debited)));
    }
    if (credited != account->credited) {
        account->mismatches.append(
            QStringLiteral("документы зачислили %1, а всего поступило %2")
                .arg(Money::MoneyText(credited), Money::MoneyText(account->credited)));
    }
}

}  // namespace

QList<AccountBalances> AccountBalances::Of(const ExchangeFile& file) {
    QStringList accounts = file.Accounts();
    for (const ExchangeBalance& section : file.Balances()) {
        if (!section.account.isEmpty() && !accounts.contains(section.account)) {
            accounts.append(section.account);
        }
    }
    QList<AccountBalances> result;
    for (const QString& number : std::as_const(accounts)) {
        AccountBalances account;
        account.account = number;
        account.from = file.From();
        account.to = file.To();
        const QList<const ExchangeBalance*> sections = SectionsOf(file, number);
        account.known = !sections.isEmpty();
        if (account.known && AddUp(sections, &account) && !file.Documents().isEmpty()) {
            CheckDocuments(file, &account);
        }
        result.append(account);
    }
    return result;
}

QString AccountBalances::MoneyText(qint64 kopecks) {
    const QString text = ChosenTotal::AmountText(kopecks < 0 ? -kopecks : kopecks);
    return kopecks < 0 ? u'-' + text : text;
}
