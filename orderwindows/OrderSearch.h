#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <string>

class OrderRow;

// What the user looks for in the archive, and the text of a row it is looked for in. Both are
// folded alike, in bytes of code page 1251: letter case does not count, ё reads as е, and figures
// read alike whatever their grouping: the blanks between two digits are left out and a comma
// between two digits reads as a point, so that "250 000", "250000,00" and "250 000.00" are all
// found in an amount of 250000,00. A whole date ("8.12.2026" or "08.12.2026") finds the orders of
// that date and nothing else. Otherwise a search finds a row when one of its columns holds the
// text.
class OrderSearch {
public:
    // Finds every order.
    OrderSearch() = default;
    explicit OrderSearch(const QString& typed);

    // The folded text of a row: each column as the list shows it (the date with noughts), on a
    // line of its own, then the
    // budget fields where the order fills any; an amount written without kopecks reads as if
    // ",00" followed it.
    static QByteArray RowText(const OrderRow& row);
    static void AppendRowText(const OrderRow& row, std::string* out);
    // The folded text of one field in a row's text; empty for a budget field the row lacks.
    static QByteArrayView Column(QByteArrayView rowText, int column);

    bool FindsAll() const { return m_text.isEmpty() && !m_impossible; }
    // Whether every row this search finds, the search before found too, so that only those need
    // to be looked at again.
    bool Narrows(const OrderSearch& before) const;
    // Whether the row whose text RowText gave is found.
    bool Finds(QByteArrayView rowText) const;

    bool operator==(const OrderSearch& other) const {
        return m_text == other.m_text && m_impossible == other.m_impossible &&
               m_wholeDate == other.m_wholeDate;
    }
    bool operator!=(const OrderSearch& other) const { return !(*this == other); }

private:
    QByteArray m_text;
    // The typed text holds a character that no order can hold: it finds nothing.
    bool m_impossible = false;
    // The text is a whole date, looked for in the date column alone.
    bool m_wholeDate = false;
};
