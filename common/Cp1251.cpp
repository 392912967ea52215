#include "common/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {
constexpr const char* kCodePage = "windows-1251";
}

namespace Cp1251 {

QString Decode(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray Encode(const QString& text) {
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

bool EncodeExactly(const QString& text, QByteArray* bytes) {
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    *bytes = encoder.encode(text);  // the encoder learns of errors while it converts
    return !encoder.hasError();
}

bool CanEncode(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return ByteOf(c.unicode()) >= 0; });
}

const char16_t* Table() {
    static const std::array<char16_t, 256> table = [] {
        QByteArray bytes(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i) {
            bytes[i] = char(i);
        }
        const QString text = Decode(bytes);
        Q_ASSERT(text.size() == 256);  // a single-byte code page: one character a byte
        std::array<char16_t, 256> result{};
        for (int i = 0; i < 256 && i < text.size(); ++i) {
            result[i] = text.at(i).unicode();
        }
        return result;
    }();
    return table.data();
}

void DecodeInto(const char* bytes, qsizetype size, QChar* out) {
    const char16_t* table = Table();
    for (qsizetype i = 0; i < size; ++i) {
        out[i] = QChar(table[uchar(bytes[i])]);
    }
}

namespace {

// The byte of every character the code page has: a table for the first characters of Unicode,
// where Latin and Cyrillic stand, and a sorted list for the few punctuation marks beyond them.
struct ReverseTable {
    static constexpr char16_t kDirect = 0x500;
    std::array<qint16, kDirect> direct;
    std::vector<std::pair<char16_t, uchar>> beyond;

    ReverseTable() {
        direct.fill(-1);
        const char16_t* table = Table();
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t character = table[byte];
            if (character < kDirect) {
                direct[character] = qint16(byte);
            } else {
                beyond.emplace_back(character, uchar(byte));
            }
        }
        std::sort(beyond.begin(), beyond.end());
    }

    int Find(char16_t character) const {
        if (character < kDirect) {
            return direct[character];
        }
        const auto it =
            std::lower_bound(beyond.begin(), beyond.end(), std::make_pair(character, uchar(0)));
        return it != beyond.end() && it->first == character ? it->second : -1;
    }
};

const ReverseTable& Reverse() {
    static const ReverseTable table;
    return table;
}

}  // namespace

int ByteOf(char16_t character) {
    return Reverse().Find(character);
}

bool EncodeInto(const QChar* text, qsizetype size, char* out) {
    const ReverseTable& table = Reverse();
    for (qsizetype i = 0; i < size; ++i) {
        const int byte = table.Find(text[i].unicode());
        if (byte < 0) {
            return false;
        }
        out[i] = char(byte);
    }
    return true;
}

}  // namespace Cp1251
