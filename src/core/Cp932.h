// Conversion between Unicode text and code page 932 bytes (Shift-JIS as
// Windows writes it), through ICU's windows-31j converter.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorbell::cp932 {

// Bytes -> text. Invalid sequences become U+FFFD; use decodeStrict to refuse them.
QString decode(QByteArrayView bytes);
// Bytes -> text, or nothing when the bytes are not valid code page 932.
std::optional<QString> decodeStrict(QByteArrayView bytes);

// Text -> bytes. A character without a code page 932 form becomes "?".
QByteArray encodeLossy(const QString& text);
// Text -> bytes, or nothing when some character has no exact code page 932 form.
std::optional<QByteArray> encodeExact(const QString& text);

// True when every character of the text has an exact code page 932 form, so a
// writer can store it without loss.
bool canEncode(const QString& text);

// The first character (as text, a surrogate pair kept whole) that has no exact
// code page 932 form; empty when there is none. For messages that name it.
QString firstUnencodable(const QString& text);

// Code of one character: 0-255 for a single-byte character, 0x8140-0xFCFC for a
// double-byte one, nothing when the character has no code page 932 form.
std::optional<int> charCode(QChar c);

// True for a character whose code page 932 code is one byte (ASCII and half-width katakana).
bool isSingleByte(QChar c);

} // namespace quorbell::cp932
