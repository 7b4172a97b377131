#include "core/PasswordForm.h"

#include "core/Cp932.h"

#include <algorithm>

namespace quorbell {

PasswordBytes storedPasswordForm(const QString& text)
{
    PasswordBytes out;
    out.fill(0xFF);
    for (int i = 0; i < kPasswordLength && i < text.size(); ++i) {
        const std::optional<int> code = cp932::charCode(text.at(i));
        const int single = code && *code <= 0xFF ? *code : '?';
        out[i] = quint8(single ^ 0xFF);
    }
    return out;
}

bool hasPassword(const PasswordBytes& stored)
{
    return stored[0] != 0 || stored[1] != 0;
}

bool passwordMatches(const PasswordBytes& stored, const PasswordBytes& entered)
{
    for (int i = 0; i < kPasswordLength; ++i) {
        if ((stored[i] ^ entered[i]) != 0)
            return false;
    }
    return true;
}

bool isValidPasswordText(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return cp932::isSingleByte(c); });
}

PasswordBytes passwordFromBytes(QByteArrayView eightBytes)
{
    PasswordBytes out{};
    for (int i = 0; i < kPasswordLength && i < eightBytes.size(); ++i)
        out[i] = quint8(eightBytes[i]);
    return out;
}

QByteArray passwordToBytes(const PasswordBytes& p)
{
    return QByteArray(reinterpret_cast<const char*>(p.data()), kPasswordLength);
}

} // namespace quorbell
