// ICU converters are not thread-safe, so each thread opens its own and keeps it
// for the thread's lifetime; opening one costs more than a conversion.
#include "core/Cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>
#include <vector>

namespace quorbell::cp932 {
namespace {

struct ConverterCloser
{
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(bool strict)
{
    UErrorCode err = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open("windows-31j", &err));
    if (U_FAILURE(err) || !conv)
        qFatal("ICU has no windows-31j converter: %s", u_errorName(err));
    ucnv_setFallback(conv.get(), false);
    if (strict) {
        err = U_ZERO_ERROR;
        ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &err);
        ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
    } else {
        // "?" rather than ICU's own 0xFCFC substitute, as Windows writes it.
        err = U_ZERO_ERROR;
        ucnv_setSubstChars(conv.get(), "?", 1, &err);
    }
    return conv;
}

// ICU's windows-31j table swaps three control codes (byte 0x1A reads as U+001C,
// 0x1C as U+007F, 0x7F as U+001A), where the code page leaves every byte below
// 0x80 as it is. These undo the swap on the text side of each conversion.
QChar controlFromIcu(QChar c)
{
    switch (c.unicode()) {
    case 0x1C:
        return QChar(0x1A);
    case 0x7F:
        return QChar(0x1C);
    case 0x1A:
        return QChar(0x7F);
    default:
        return c;
    }
}

QChar controlToIcu(QChar c)
{
    switch (c.unicode()) {
    case 0x1A:
        return QChar(0x1C);
    case 0x1C:
        return QChar(0x7F);
    case 0x7F:
        return QChar(0x1A);
    default:
        return c;
    }
}

UConverter* converter(bool strict)
{
    thread_local ConverterPtr lenient = openConverter(false);
    thread_local ConverterPtr exact = openConverter(true);
    UConverter* c = strict ? exact.get() : lenient.get();
    ucnv_reset(c);
    return c;
}

std::optional<QString> toUnicode(QByteArrayView bytes, bool strict)
{
    if (bytes.isEmpty())
        return QString();
    UConverter* conv = converter(strict);
    // Every byte yields at most one UTF-16 unit in this code page.
    QString out(bytes.size(), Qt::Uninitialized);
    UErrorCode err = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), out.size(),
                                    bytes.data(), int32_t(bytes.size()), &err);
    if (U_FAILURE(err))
        return std::nullopt;
    out.truncate(n);
    for (QChar& c : out)
        c = controlFromIcu(c);
    return out;
}

std::optional<QByteArray> fromUnicode(const QString& original, bool strict)
{
    if (original.isEmpty())
        return QByteArray();
    QString text = original;
    for (QChar& c : text)
        c = controlToIcu(c);
    UConverter* conv = converter(strict);
    QByteArray out(text.size() * 2 + 2, Qt::Uninitialized);
    UErrorCode err = U_ZERO_ERROR;
    const int32_t n =
        ucnv_fromUChars(conv, out.data(), out.size(), reinterpret_cast<const UChar*>(text.utf16()),
                        int32_t(text.size()), &err);
    if (U_FAILURE(err))
        return std::nullopt;
    out.truncate(n);
    return out;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    return toUnicode(bytes, false).value_or(QString());
}

std::optional<QString> decodeStrict(QByteArrayView bytes)
{
    return toUnicode(bytes, true);
}

QByteArray encodeLossy(const QString& text)
{
    return fromUnicode(text, false).value_or(QByteArray());
}

std::optional<QByteArray> encodeExact(const QString& text)
{
    std::optional<QByteArray> bytes = fromUnicode(text, true);
    // A mapping that does not come back to the same text is a best-fit, not exact.
    if (bytes && toUnicode(*bytes, true) != text)
        return std::nullopt;
    return bytes;
}

bool canEncode(const QString& text)
{
    return encodeExact(text).has_value();
}

QString firstUnencodable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString one = text.mid(i, len);
        if (!canEncode(one))
            return one;
        i += len - 1;
    }
    return QString();
}

std::optional<int> charCode(QChar c)
{
    const std::optional<QByteArray> b = encodeExact(QString(c));
    if (!b || b->isEmpty())
        return std::nullopt;
    if (b->size() == 1)
        return quint8(b->at(0));
    return quint8(b->at(0)) << 8 | quint8(b->at(1));
}

bool isSingleByte(QChar c)
{
    const std::optional<int> code = charCode(c);
    return code && *code <= 0xFF;
}

} // namespace quorbell::cp932
