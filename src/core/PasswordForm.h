// The stored form of a password: 8 bytes, byte i being the single-byte code
// page 932 code of character i+1 XOR 0xFF, and 0xFF past the end of the text.
// A stored field whose first two bytes are both zero means "no password".
#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace quorbell {

using PasswordBytes = std::array<quint8, 8>;

inline constexpr int kPasswordLength = 8;

// All zero: the form of "no password", and of the entered bytes at start.
inline constexpr PasswordBytes kNoPassword{};

// Only the first 8 characters count. A character without a one-byte code
// page 932 code (the stored form has no room for it) stores as "?".
PasswordBytes storedPasswordForm(const QString& text);

// True when the field's first two bytes are not both zero.
bool hasPassword(const PasswordBytes& stored);

// A password matches when every stored XOR entered byte is zero.
bool passwordMatches(const PasswordBytes& stored, const PasswordBytes& entered);

// True when the text can be typed into a password prompt: every character has a
// one-byte code page 932 code.
bool isValidPasswordText(const QString& text);

PasswordBytes passwordFromBytes(QByteArrayView eightBytes);
QByteArray passwordToBytes(const PasswordBytes& p);

} // namespace quorbell
