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

bool CanEncode(const QString& text) {
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    const QByteArray bytes =
        encoder.encode(text);  // the encoder learns of errors while it converts
    Q_UNUSED(bytes);
    return !encoder.hasError();
}

}  // namespace Cp1251
