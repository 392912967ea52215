#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class ExchangeFile;

// One account over a statement's period, as the statement window shows it: the balances the
// bank's sections give, and whether they add up.
struct AccountBalances {
    QString account;
    QDate from;  // the first section's first day and the last one's last day
    QDate to;
    bool known = false;  // the statement gives the account's balances at all
    qint64 opening = 0;  // kopecks
    qint64 credited = 0;
    qint64 debited = 0;
    qint64 closing = 0;
    // What does not add up, in the user's words: a section whose opening balance and movements
    // do not give its closing one, a day that does not open with the day before's closing
    // balance, documents that do not sum to the totals. Empty when all agrees.
    QStringList mismatches;

    // Every account of the file: the header's first, then those that only sections name. A
    // file of daily sections gives each account's whole period, the first day's opening
    // balance, the sums of the movements and the last day's closing balance.
    static QList<AccountBalances> Of(const ExchangeFile& file);

    // "-1 234,56": roubles in groups of three, a comma and the kopecks.
    static QString MoneyText(qint64 kopecks);
};
