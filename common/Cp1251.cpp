#include "common/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

}  // namespace Cp1251
