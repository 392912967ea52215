#include "orderwindows/OrderSearch.h"

#include <QChar>
#include <array>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/Cp1251.h"
#include "orders/OrderRow.h"
#include "orders/OrderTexts.h"

namespace {

// Stands between the columns of a row's text; no column holds a line break.
constexpr char kColumnBreak = '\n';
// Stands for a character of a row that the code page lacks: a capital letter, which folding
// never leaves, so that no search finds it.
constexpr char kNeverFolded = 'A';
constexpr char16_t kNarrowNoBreakBlank = 0x202F;

// The folded byte of every character up to the end of Cyrillic, -1 for one the code page lacks:
// the lower-case letter of a capital, е of ё and Ё, the character's own byte otherwise. The few
// characters beyond (dashes, quotes, №) are folded through the code page itself.
class FoldTable {
public:
    static const FoldTable& Get() {
        static const FoldTable table;
        return table;
    }

    int Fold(char16_t character) const {
        return character < kDirect ? m_direct[character] : FoldByte(character);
    }

private:
    static constexpr char16_t kDirect = 0x500;

    FoldTable() {
        for (char16_t character = 0; character < kDirect; ++character) {
            m_direct[character] = qint16(FoldByte(character));
        }
    }

    static int FoldByte(char16_t character) {
        if (character == kNarrowNoBreakBlank) {
            character = 0x00A0;
        }
        const int byte = Cp1251::ByteOf(character);
        if (byte < 0) {
            return -1;
        }
        char16_t folded = QChar(character).toCaseFolded().unicode();
        if (folded == u'ё') {
            folded = u'е';
        }
        const int foldedByte = Cp1251::ByteOf(folded);
        return foldedByte >= 0 ? foldedByte : byte;
    }

    std::array<qint16, kDirect> m_direct{};
};

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The blanks people put between groups of figures.
bool IsGap(QChar c) {
    return c == u' ' || c == QChar(0x00A0) || c == QChar(kNarrowNoBreakBlank);
}

bool EndsInDigit(const std::string& out) {
    return !out.empty() && out.back() >= '0' && out.back() <= '9';
}

// Appends the folded text; a character that the code page lacks becomes the byte given.
void AppendFolded(QStringView text, char unknown, std::string* out) {
    const FoldTable& fold = FoldTable::Get();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if ((IsGap(c) || c == u',') && EndsInDigit(*out)) {
            if (c == u',' && i + 1 < size && IsDigit(text[i + 1])) {
                out->push_back('.');
                continue;
            }
            qsizetype next = i;
            while (next < size && IsGap(text[next])) {
                ++next;
            }
            if (next > i && next < size && IsDigit(text[next])) {
                i = next - 1;  // the blanks of a grouping
                continue;
            }
        }
        const int byte = fold.Fold(c.unicode());
        out->push_back(byte < 0 ? unknown : char(byte));
    }
}

// "1234" or "1234.5", once folded: an amount whose kopecks were left out, in whole or in part.
int MissingKopeckDigits(std::string_view amount) {
    const size_t point = amount.find('.');
    const std::string_view roubles = amount.substr(0, point);
    const std::string_view kopecks =
        point == std::string_view::npos ? std::string_view() : amount.substr(point + 1);
    const auto allDigits = [](std::string_view digits) {
        return digits.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (roubles.empty() || !allDigits(roubles) || !allDigits(kopecks) || kopecks.size() > 1) {
        return 0;
    }
    return point == std::string_view::npos ? 2 : 1;
}

// Whether the text holds the needle. Sixteen places at a time are looked at for the needle's
// first and last byte, and only where both stand is the rest compared, which reads a hundred
// thousand orders in a few milliseconds where a byte-by-byte search takes several times as long.
bool Holds(std::string_view text, std::string_view needle) {
    const size_t length = needle.size();
    if (length <= 1) {
        return length == 0 || text.find(needle[0]) != std::string_view::npos;
    }
    if (length > text.size()) {
        return false;
    }
    size_t start = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle[0]);
    const __m128i last = _mm_set1_epi8(needle[length - 1]);
    for (; start + length - 1 + 16 <= text.size(); start += 16) {
        const char* at = text.data() + start;
        const __m128i firsts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i lasts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + length - 1));
        unsigned both = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(firsts, first), _mm_cmpeq_epi8(lasts, last))));
        while (both != 0) {
            const int place = __builtin_ctz(both);
            if (std::memcmp(at + place + 1, needle.data() + 1, length - 2) == 0) {
                return true;
            }
            both &= both - 1;
        }
    }
#endif
    return text.substr(start).find(needle) != std::string_view::npos;
}

}  // namespace

OrderSearch::OrderSearch(const QString& typed) {
    // The text being typed may end where a grouping or the kopecks begin: "250 " and "250,"
    // already find what "250 000" and "250,00" will.
    QString text = typed;
    qsizetype end = text.size();
    while (end > 0 && IsGap(text[end - 1])) {
        --end;
    }
    if (end < text.size() && end > 0 && IsDigit(text[end - 1])) {
        text.truncate(end);
    }
    if (text.size() >= 2 && text.back() == u',' && IsDigit(text[text.size() - 2])) {
        text.back() = u'.';
    }
    std::string folded;
    // A whole date is looked for as the date of an order, written either way, and not in the
    // other columns: "8.12.2026" would otherwise find "18.12.2026" and a purpose that mentions it.
    const QDate date = OrderTexts::ParseWrittenDate(text);
    m_wholeDate = date.isValid();
    AppendFolded(m_wholeDate ? OrderTexts::ShownDate(text) : text, kColumnBreak, &folded);
    m_impossible = folded.find(kColumnBreak) != std::string::npos;
    m_text = QByteArray(folded.data(), qsizetype(folded.size()));
}

void OrderSearch::AppendRowText(const OrderRow& row, std::string* out) {
    // The fields after the tenth only where the order fills one: most orders fill none.
    const int columns = row.HasBudgetFields() ? kOrderFieldCount : kOrderColumnCount;
    for (int column = 0; column < columns; ++column) {
        if (column > 0) {
            out->push_back(kColumnBreak);
        }
        const size_t start = out->size();
        // The list shows the number without the blanks before it, and the date with noughts.
        const QString& field = row[column];
        AppendFolded(column == kColumnNumber ? QStringView(field).trimmed()
                     : column == kColumnDate ? QStringView(OrderTexts::ShownDate(field))
                                             : QStringView(field),
                     kNeverFolded, out);
        if (column == kColumnAmount) {
            const int missing = MissingKopeckDigits(std::string_view(*out).substr(start));
            out->append(missing == 2 ? ".00" : missing == 1 ? "0" : "");
        }
    }
}

QByteArray OrderSearch::RowText(const OrderRow& row) {
    std::string text;
    AppendRowText(row, &text);
    return QByteArray(text.data(), qsizetype(text.size()));
}

QByteArrayView OrderSearch::Column(QByteArrayView rowText, int column) {
    qsizetype start = 0;
    for (int skipped = 0; skipped < column && start <= rowText.size(); ++skipped) {
        const qsizetype next = rowText.indexOf(kColumnBreak, start);
        start = next < 0 ? rowText.size() + 1 : next + 1;
    }
    if (start > rowText.size()) {
        return QByteArrayView();
    }
    const qsizetype end = rowText.indexOf(kColumnBreak, start);
    return rowText.sliced(start, (end < 0 ? rowText.size() : end) - start);
}

bool OrderSearch::Narrows(const OrderSearch& before) const {
    // A row whose date is the one typed holds it in its text, so a whole date narrows any search
    // its text narrows; a text search after a date search may find what the date search left out.
    if (before.m_wholeDate && !m_wholeDate) {
        return m_impossible;
    }
    return before.m_impossible ? m_impossible : (m_impossible || m_text.contains(before.m_text));
}

bool OrderSearch::Finds(QByteArrayView rowText) const {
    if (m_wholeDate) {
        return Column(rowText, kColumnDate) == QByteArrayView(m_text);
    }
    return !m_impossible && Holds(std::string_view(rowText.data(), size_t(rowText.size())),
                                  std::string_view(m_text.constData(), size_t(m_text.size())));
}
