#include "common/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

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
    QByteArray bytes;
    return EncodeExactly(text, &bytes);
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

}  // namespace Cp1251
