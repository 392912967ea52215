#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The fields of one payment order, in the order of the archive's columns and the order file's
// lines.
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
    kOrderColumnCount
};

// One payment order as text: a row of the archive list and the ten lines of its order file.
class OrderRow {
public:
    QString& operator[](int column) { return m_fields[column]; }
    const QString& operator[](int column) const { return m_fields[column]; }
    bool operator==(const OrderRow& other) const { return m_fields == other.m_fields; }
    bool operator!=(const OrderRow& other) const { return !(*this == other); }

    // The order number read from the number text, as the C library's atoi reads it.
    int Number() const;

    QStringList Lines() const;
    // Missing lines give empty fields; lines after the tenth are not part of the order.
    static OrderRow FromLines(const QStringList& lines);

    // The field's name as the archive's column header and the messages give it: "Основание".
    static QString ColumnCaption(int column);

private:
    std::array<QString, kOrderColumnCount> m_fields;
};
