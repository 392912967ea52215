#pragma once

#include <QByteArray>
#include <QList>

class QImage;

// The QR codes in a picture, found by zxing-cpp wherever they stand on it, turned or small.
namespace QrCodes {

// The raw bytes of every QR code in the picture, in the order they were found, untouched by any
// guess at their character set: what they mean is for the reader of their text to say.
QList<QByteArray> Read(const QImage& image);

}  // namespace QrCodes
