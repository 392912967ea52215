#include "orderwindows/PackedOrders.h"

#include <QCollator>
#include <QDate>
#include <QThread>
#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>
#include <string>
#include <string_view>
#include <thread>

#include "common/Cp1251.h"
#include "orders/OrderAmount.h"
#include "orders/OrderTexts.h"
#include "orderwindows/OrderSearch.h"

namespace {

constexpr char kCodePage = 'W';
constexpr char kUtf8 = 'U';
constexpr int kFileText = 0;
// The file's name, the fields, then the file's lines after the fields, each ended by an LF.
constexpr int kAfterFieldsText = 1 + kOrderFieldCount;
constexpr int kTextCount = kAfterFieldsText + 1;
// Below this many orders a second thread costs more than it saves.
constexpr qsizetype kOrdersPerExtraThread = 2000;
constexpr int kMostThreads = 4;

// Lengths take one byte below 128, and a byte more for every seven bits beyond.
void AppendLength(std::string* out, size_t length) {
    while (length >= 0x80) {
        out->push_back(char(0x80 | (length & 0x7F)));
        length >>= 7;
    }
    out->push_back(char(length));
}

size_t ReadLength(const char*& at) {
    size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const uchar byte = uchar(*at++);
        length |= size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80)) {
            return length;
        }
    }
}

struct RawText {
    char encoding;
    std::string_view bytes;
};

QString Decode(const RawText& text) {
    const qsizetype size = qsizetype(text.bytes.size());
    if (text.encoding == kUtf8) {
        return QString::fromUtf8(text.bytes.data(), size);
    }
    QString decoded(size, Qt::Uninitialized);
    Cp1251::DecodeInto(text.bytes.data(), size, decoded.data());
    return decoded;
}

// The search text of the order, where its amount reads as plain figures with blanks left out and
// a point before the kopecks.
QByteArrayView SearchText(const QByteArray& bytes, quint32 size) {
    return QByteArrayView(bytes.constData(), size);
}

// The order of characters in the user's language, one weight a folded byte: the collator puts
// the characters of the code page in order once, and texts are then compared weight by weight.
// That is the collator's own order for the letters, figures and marks of Russian and Latin text;
// it leaves aside only what the collator weighs beyond single characters (е before ё, letter
// case, which folding has already left out).
const std::array<uchar, 256>& CollationWeights() {
    static const std::array<uchar, 256> weights = [] {
        const char16_t* characters = Cp1251::Table();
        std::array<int, 256> bytes{};
        std::iota(bytes.begin(), bytes.end(), 0);
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        const auto text = [characters](int byte) { return QString(QChar(characters[byte])); };
        std::stable_sort(bytes.begin(), bytes.end(),
                         [&](int a, int b) { return collator.compare(text(a), text(b)) < 0; });
        std::array<uchar, 256> result{};
        int weight = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i > 0 && collator.compare(text(bytes[i - 1]), text(bytes[i])) != 0) {
                ++weight;
            }
            result[size_t(bytes[i])] = uchar(weight);
        }
        return result;
    }();
    return weights;
}

}  // namespace

bool PackedOrders::PlainAmount(const Packed& packed, double* value) {
    const QByteArrayView amount =
        OrderSearch::Column(SearchText(packed.bytes, packed.searchSize), kColumnAmount);
    const qsizetype point = amount.indexOf('.');
    const auto digits = [](QByteArrayView part) {
        return !part.isEmpty() &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(point < 0 ? amount : amount.first(point)) ||
        (point >= 0 && !digits(amount.sliced(point + 1)))) {
        return false;
    }
    const auto read = std::from_chars(amount.data(), amount.data() + amount.size(), *value);
    return read.ec == std::errc() && read.ptr == amount.data() + amount.size();
}

PackedOrders::Packed PackedOrders::Pack(const OrderRow& row, const QString& file) {
    const QString* texts[kTextCount] = {&file};
    for (int column = 0; column < kOrderFieldCount; ++column) {
        texts[1 + column] = &row[column];
    }
    QString after;
    for (const QString& line : row.LinesAfterFields()) {
        after += line + QLatin1Char('\n');
    }
    texts[kAfterFieldsText] = &after;
    thread_local std::string out;
    out.clear();
    OrderSearch::AppendRowText(row, &out);
    const size_t searchSize = out.size();
    out.push_back(kCodePage);
    for (const QString* text : texts) {
        AppendLength(&out, size_t(text->size()));
        const size_t at = out.size();
        out.resize(at + size_t(text->size()));
        if (!Cp1251::EncodeInto(text->constData(), text->size(), out.data() + at)) {
            // Never for a text read from or written to an order file; kept whole all the same.
            out.resize(searchSize);
            out.push_back(kUtf8);
            for (const QString* utf : texts) {
                const QByteArray bytes = utf->toUtf8();
                AppendLength(&out, size_t(bytes.size()));
                out.append(bytes.constData(), size_t(bytes.size()));
            }
            break;
        }
    }
    Packed packed;
    packed.bytes = QByteArray(out.data(), qsizetype(out.size()));
    packed.searchSize = quint32(searchSize);
    return packed;
}

QString PackedOrders::Text(const Packed& packed, int text) {
    const char* at = packed.bytes.constData() + packed.searchSize;
    const char encoding = *at++;
    for (int skipped = 0; skipped < text; ++skipped) {
        at += ReadLength(at);
    }
    const size_t length = ReadLength(at);
    return Decode({encoding, std::string_view(at, length)});
}

void PackedOrders::Assign(QList<OrderRow> rows, QStringList files) {
    Q_ASSERT(rows.size() == files.size());
    const qsizetype count = rows.size();
    m_orders.clear();
    m_orders.resize(size_t(count));
    // Packed on several threads for a large archive, as its files are read.
    OrderRow* row = rows.data();
    QString* file = files.data();
    const auto pack = [this, row, file](qsizetype first, qsizetype last) {
        for (qsizetype i = first; i < last; ++i) {
            m_orders[size_t(i)] = Pack(row[i], file[i]);
            row[i] = OrderRow();
            file[i] = QString();
        }
    };
    const qsizetype wanted = qMin<qsizetype>(count / kOrdersPerExtraThread + 1, kMostThreads);
    const int threads = int(std::clamp<qsizetype>(wanted, 1, QThread::idealThreadCount()));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        helpers.emplace_back(pack, count * t / threads, count * (t + 1) / threads);
    }
    pack(0, count / threads);
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

void PackedOrders::Set(qsizetype index, const OrderRow& row, const QString& file) {
    m_orders[size_t(index)] = Pack(row, file);
}

void PackedOrders::Append(const OrderRow& row, const QString& file) {
    m_orders.push_back(Pack(row, file));
}

void PackedOrders::Remove(qsizetype index) {
    m_orders.erase(m_orders.begin() + index);
}

OrderRow PackedOrders::Row(qsizetype index) const {
    OrderRow row;
    for (int column = 0; column < kOrderFieldCount; ++column) {
        QString field = Field(index, column);
        // An ordinary order keeps the fields after the tenth out of memory.
        if (column < kOrderColumnCount || !field.isEmpty()) {
            row[column] = std::move(field);
        }
    }
    const QString after = Text(m_orders[size_t(index)], kAfterFieldsText);
    if (!after.isEmpty()) {
        row.SetLinesAfterFields(after.chopped(1).split(QLatin1Char('\n')));
    }
    return row;
}

QString PackedOrders::Field(qsizetype index, int column) const {
    return Text(m_orders[size_t(index)], 1 + column);
}

QString PackedOrders::File(qsizetype index) const {
    return Text(m_orders[size_t(index)], kFileText);
}

bool PackedOrders::Kopecks(qsizetype index, qint64* kopecks) const {
    const Packed& packed = m_orders[size_t(index)];
    if (packed.amount == 0) {
        packed.amount =
            OrderAmount::ParseKopecks(Field(index, kColumnAmount), &packed.kopecks) ? 1 : -1;
    }
    if (packed.amount < 0) {
        return false;
    }
    *kopecks = packed.kopecks;
    return true;
}

bool PackedOrders::Matches(qsizetype index, const OrderSearch& search) const {
    const Packed& packed = m_orders[size_t(index)];
    return search.Finds(QByteArrayView(packed.bytes.constData(), packed.searchSize));
}

std::vector<int> PackedOrders::Sorted(int column, Qt::SortOrder order) const {
    if (column < 0 || column >= kOrderColumnCount) {
        std::vector<int> indexes(m_orders.size());
        std::iota(indexes.begin(), indexes.end(), 0);
        return indexes;
    }
    const bool byValue =
        column == kColumnNumber || column == kColumnDate || column == kColumnAmount;
    return byValue ? SortedByValue(column, order) : SortedByText(column, order);
}

std::vector<int> PackedOrders::SortedByValue(int column, Qt::SortOrder order) const {
    std::vector<std::pair<double, int>> keys(m_orders.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        double value = 0;
        if (column == kColumnAmount && PlainAmount(m_orders[i], &value)) {
            keys[i] = {value, int(i)};
            continue;
        }
        const QString text = Field(qsizetype(i), column);
        if (column == kColumnNumber) {
            value = OrderTexts::NumberFromText(text);
        } else if (column == kColumnDate) {
            const QDate date = OrderTexts::DateFromText(text);
            value = date.isValid() ? double(date.toJulianDay()) : -1e300;  // no date sorts first
        } else {
            value = ParseAmount(text);
        }
        keys[i] = {value, int(i)};
    }
    if (order == Qt::AscendingOrder) {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    } else {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    }
    std::vector<int> indexes(keys.size());
    std::transform(keys.begin(), keys.end(), indexes.begin(),
                   [](const auto& key) { return key.second; });
    return indexes;
}

// Each order's text of the column is turned into its weights once, and the orders are sorted by
// those, which keeps a hundred thousand different texts within a tenth of a second.
std::vector<int> PackedOrders::SortedByText(int column, Qt::SortOrder order) const {
    const std::array<uchar, 256>& weights = CollationWeights();
    const size_t count = m_orders.size();
    std::string keys;
    std::vector<size_t> starts(count + 1, 0);
    for (size_t i = 0; i < count; ++i) {
        const Packed& packed = m_orders[i];
        const QByteArrayView text =
            OrderSearch::Column(SearchText(packed.bytes, packed.searchSize), column);
        for (const char c : text) {
            keys.push_back(char(weights[uchar(c)]));
        }
        starts[i + 1] = keys.size();
    }
    const auto key = [&](int i) {
        return std::string_view(keys.data() + starts[size_t(i)],
                                starts[size_t(i) + 1] - starts[size_t(i)]);
    };
    std::vector<int> indexes(count);
    std::iota(indexes.begin(), indexes.end(), 0);
    if (order == Qt::AscendingOrder) {
        std::stable_sort(indexes.begin(), indexes.end(),
                         [&](int a, int b) { return key(a) < key(b); });
    } else {
        std::stable_sort(indexes.begin(), indexes.end(),
                         [&](int a, int b) { return key(b) < key(a); });
    }
    return indexes;
}
