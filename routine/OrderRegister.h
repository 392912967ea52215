#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

#include "orders/OrderRow.h"

class WorkingFolder;
struct StoredOrders;

// The register of payment orders a director signs before they go to the bank: the chosen orders
// in a table, grouped by payer, with each payer's total and the grand total, counted in whole
// kopecks. RegisterCsv writes it for spreadsheets, RegisterDrawing draws it for paper and PDF.
struct OrderRegister {
    struct Row {
        QString number;  // without the blanks it is stored with
        QString date;    // ДД.ММ.ГГГГ ("05.03.2026"); as it stands when it is not a date
        QString recipient;
        QString purpose;
        bool isAmount = false;  // the amount text is an amount (OrderAmount's rule)
        qint64 kopecks = 0;     // when it is
        QString amountText;     // as typed, for an amount that is not one
        QString state;  // what became of the order ("исполнено 09.12"); may be empty

        // "48 300,00", or the text as typed.
        QString AmountShown() const;
    };

    // The orders of one payer, in the order given, and their sum.
    struct Group {
        QString payer;
        QList<Row> rows;
        qint64 kopecks = 0;
        qsizetype notAmounts = 0;  // orders whose amount is not one: counted, not added
    };

    QDate made;
    QList<Group> groups;  // payers in the order of their first order
    qsizetype count = 0;
    qint64 kopecks = 0;
    qsizetype notAmounts = 0;

    // What became of an order, for the state column; none leaves it empty.
    using StateOf = std::function<QString(const OrderRow&)>;

    static OrderRegister Compose(const QList<OrderRow>& orders, const QDate& made,
                                 const StateOf& stateOf = StateOf());
    // The register the archive and the command line make: made today, each order's state as the
    // files kept of the bank's in the folder tell it. *unreadable names the kept files that could
    // not be read, whose states are then missing.
    static OrderRegister Read(const WorkingFolder& folder, const StoredOrders& orders,
                              const QDate& today, QStringList* unreadable);

    bool HasStates() const;

    // "Реестр платежных поручений от 07.12.2026"
    QString Title() const;
    // "Итого по плательщику: 3 поручения", "Всего: 10 поручений"; then the amounts left out.
    static QString GroupTotalLabel(const Group& group);
    QString TotalLabel() const;
    // "у 1 поручения сумма не число, она не сложена"; empty when every amount is one.
    static QString NotAddedText(qsizetype notAmounts);
};
