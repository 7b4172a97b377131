// Little-endian readers and writers for the album and container layouts:
// integers, string entries (16-bit byte count + code page 932 bytes) and
// variant entries (16-bit tag + value). The reader never reads past its end:
// every call checks the bytes left first and reports a short read as an error.
#pragma once

#include "core/DateVariant.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace quorbell {

// Packed pairs: width (or x) * 65536 + height (or y), both 16-bit.
constexpr qint32 packPair(int high, int low)
{
    return qint32(quint32(quint16(high)) << 16 | quint16(low));
}
constexpr int pairHigh(qint32 packed)
{
    return qint16(quint32(packed) >> 16);
}
constexpr int pairLow(qint32 packed)
{
    return qint16(quint32(packed) & 0xFFFF);
}

// Variant tags of the date entries.
enum VariantTag : quint16 { kTagEmpty = 0, kTagDate = 7, kTagText = 8 };

class ByteReader
{
public:
    explicit ByteReader(QByteArrayView data, qint64 baseOffset = 0)
        : m_data(data), m_base(baseOffset)
    {
    }
    // The reader keeps a view of the bytes, so a temporary array would be
    // gone before the first read: refused at compile time.
    ByteReader(const QByteArray&& data, qint64 baseOffset = 0) = delete;

    qint64 pos() const { return m_base + m_pos; } // absolute 0-based offset of the next byte
    qint64 remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    bool ok() const { return !m_failed; }

    std::optional<QByteArrayView> bytes(qint64 n);
    bool skip(qint64 n);
    std::optional<qint16> i16();
    std::optional<quint16> u16();
    std::optional<qint32> i32();
    std::optional<double> f64();
    // A string entry as its raw code page 932 bytes.
    std::optional<QByteArrayView> stringBytes();
    // A string entry decoded; nothing when short or not valid code page 932.
    std::optional<QString> string();
    // A variant entry; nothing when short, or the tag is not 0, 7 or 8.
    std::optional<DateVariant> variant();

private:
    bool need(qint64 n);

    QByteArrayView m_data;
    qint64 m_base = 0;
    qint64 m_pos = 0;
    bool m_failed = false;
};

class ByteWriter
{
public:
    QByteArray& data() { return m_data; }
    const QByteArray& data() const { return m_data; }

    void bytes(QByteArrayView b) { m_data.append(b.data(), b.size()); }
    void i16(qint16 v);
    void u16(quint16 v);
    void i32(qint32 v);
    void f64(double v);
    // A string entry from bytes already in code page 932 (at most 65535 of them).
    void stringBytes(QByteArrayView cp932);
    // A string entry; the caller has checked that the text has an exact form.
    void string(const QString& text);
    void variant(const DateVariant& v);

private:
    QByteArray m_data;
};

// Little-endian helpers for fixed offsets in a buffer.
qint16 readI16(const char* p);
qint32 readI32(const char* p);
void appendLE16(QByteArray& out, quint16 v);
void appendLE32(QByteArray& out, quint32 v);

} // namespace quorbell
