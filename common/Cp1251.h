#pragma once

#include <QByteArray>
#include <QString>

// The data files hold text in code page 1251. All 256 byte values map to characters and back, so
// reading and writing a file keeps every byte; only text typed by the user can hold characters
// that the code page lacks, and those must be refused before they are written.
namespace Cp1251 {

QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);
// Encodes the whole text in one pass; false, with *bytes unspecified, when a character has no
// byte in the code page.
bool EncodeExactly(const QString& text, QByteArray* bytes);
bool CanEncode(const QString& text);

// The character of every byte, for decoding many small texts without a decoder each. Built once
// from the code page's decoder, so it agrees with Decode byte for byte.
const char16_t* Table();
// Decodes size bytes into out, which has room for size characters: one character a byte.
void DecodeInto(const char* bytes, qsizetype size, QChar* out);
// Encodes size characters into out, which has room for size bytes: one byte a character, by the
// same table. False when a character has no byte in the code page; out is then unspecified.
bool EncodeInto(const QChar* text, qsizetype size, char* out);
// The byte of one character, or -1 when the code page has none.
int ByteOf(char16_t character);

}  // namespace Cp1251
