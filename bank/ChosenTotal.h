#pragma once

#include <QString>
#include <QtGlobal>

// The count and sum of the orders the user has chosen, as the archive shows them under its list
// and the export tells them when it is done. An order whose amount text is not an amount is
// counted but not added, and the text says how many such orders there are.
class ChosenTotal {
public:
    void Add(const QString& amountText);
    // An amount already read, or none when the text was not an amount.
    void AddKopecks(bool isAmount, qint64 kopecks);

    qsizetype Count() const { return m_count; }
    qint64 Kopecks() const { return m_kopecks; }
    qsizetype NotAmounts() const { return m_notAmounts; }

    // "Выбрано 3 на сумму 1 672 500,00 руб.", followed by "; у 1 поручения сумма не число, она
    // не сложена" where some amounts are not amounts; "Ничего не выбрано" for no order.
    QString Text() const;
    // The same with "Выгружено" in front of the count.
    QString ExportedText() const;

    // The list's line: how many orders are shown of all, then Text().
    static QString ListLine(qsizetype shown, qsizetype all, const ChosenTotal& chosen);
    // "1 672 500,00": the roubles in groups of three, a comma and the kopecks.
    static QString AmountText(qint64 kopecks);

private:
    QString Sum(const QString& verb) const;

    qsizetype m_count = 0;
    qint64 m_kopecks = 0;
    qsizetype m_notAmounts = 0;
};
