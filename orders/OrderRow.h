#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

// The fields of one payment order, in the order of the order file's lines. The first ten are the
// archive's columns; the ten after them are the fields of a payment to the budget and of a
// payment of income to a person, which an ordinary order leaves empty. OrderFields says how the
// program names, limits, shows and exports each.
enum OrderColumn {
    kColumnNumber,
    kColumnDate,
    kColumnPayer,
    kColumnRecipient,
    kColumnAmount,
    kColumnBasis,
    kColumnPaymentKind,
    kColumnPaymentTerm,
    kColumnPriority,
    kColumnPaymentType,
    kOrderColumnCount,
    kColumnStatus = kOrderColumnCount,  // 101, the payer's status
    kColumnKbk,                         // 104, the budget classification code
    kColumnOktmo,                       // 105, the municipal territory code
    kColumnTaxBasis,                    // 106, the basis of the payment
    kColumnTaxPeriod,                   // 107, the tax period
    kColumnTaxDocNumber,                // 108, the number of the document it pays
    kColumnTaxDocDate,                  // 109, that document's date
    kColumnTaxType,                     // 110
    kColumnUin,                         // 22, "Код": the payment's identifier (УИН) or 0
    kColumnIncomeType,                  // 20, "Наз. пл.": the income-type code, 1 to 5
    kOrderFieldCount
};

constexpr int kBudgetFieldCount = kOrderFieldCount - kOrderColumnCount;

// One payment order as text: a row of the archive list and the lines of its order file. The
// fields after the tenth, and the lines of its file after the last field, take memory only in an
// order that has them.
class OrderRow {
public:
    QString& operator[](int column);
    const QString& operator[](int column) const;
    bool operator==(const OrderRow& other) const;
    bool operator!=(const OrderRow& other) const { return !(*this == other); }

    // The order number read from the number text, as the C library's atoi reads it.
    int Number() const;
    // Whether any field after the tenth is filled.
    bool HasBudgetFields() const;

    // The lines of the order's file after its last field, which a later version of the program
    // or another program wrote there: no field of this one, but kept as they were and written
    // back with the order.
    const QStringList& LinesAfterFields() const;
    void SetLinesAfterFields(const QStringList& lines);

    // The ten lines of an order that fills none of the fields after the tenth, as every order
    // file was written before there were more; all twenty otherwise, then the lines after them.
    // A reader of ten lines still reads such a file.
    QStringList Lines() const;
    // Missing lines give empty fields; lines after the twentieth are the lines after the fields.
    static OrderRow FromLines(const QStringList& lines);

private:
    // What an ordinary order lacks.
    struct Tail {
        std::array<QString, kBudgetFieldCount> budget;
        QStringList after;
    };
    Tail& OwnTail();

    std::array<QString, kOrderColumnCount> m_fields;
    // Shared between copies until one of them changes it.
    std::shared_ptr<Tail> m_tail;
};
