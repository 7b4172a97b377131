#include "core/BinaryIO.h"

#include "core/Cp932.h"

#include <QtEndian>

#include <cstring>

namespace quorbell {

qint16 readI16(const char* p)
{
    return qFromLittleEndian<qint16>(p);
}

qint32 readI32(const char* p)
{
    return qFromLittleEndian<qint32>(p);
}

void appendLE16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void appendLE32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

bool ByteReader::need(qint64 n)
{
    if (m_failed || n < 0 || n > remaining()) {
        m_failed = true;
        return false;
    }
    return true;
}

std::optional<QByteArrayView> ByteReader::bytes(qint64 n)
{
    if (!need(n))
        return std::nullopt;
    const QByteArrayView out = m_data.sliced(m_pos, n);
    m_pos += n;
    return out;
}

bool ByteReader::skip(qint64 n)
{
    if (!need(n))
        return false;
    m_pos += n;
    return true;
}

std::optional<qint16> ByteReader::i16()
{
    if (!need(2))
        return std::nullopt;
    const qint16 v = readI16(m_data.data() + m_pos);
    m_pos += 2;
    return v;
}

std::optional<quint16> ByteReader::u16()
{
    const std::optional<qint16> v = i16();
    return v ? std::optional<quint16>(quint16(*v)) : std::nullopt;
}

std::optional<qint32> ByteReader::i32()
{
    if (!need(4))
        return std::nullopt;
    const qint32 v = readI32(m_data.data() + m_pos);
    m_pos += 4;
    return v;
}

std::optional<double> ByteReader::f64()
{
    if (!need(8))
        return std::nullopt;
    const quint64 bits = qFromLittleEndian<quint64>(m_data.data() + m_pos);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    m_pos += 8;
    return v;
}

std::optional<QByteArrayView> ByteReader::stringBytes()
{
    const std::optional<quint16> n = u16();
    if (!n)
        return std::nullopt;
    return bytes(*n);
}

std::optional<QString> ByteReader::string()
{
    const std::optional<QByteArrayView> raw = stringBytes();
    if (!raw)
        return std::nullopt;
    std::optional<QString> text = cp932::decodeStrict(*raw);
    if (!text)
        m_failed = true;
    return text;
}

std::optional<DateVariant> ByteReader::variant()
{
    const std::optional<quint16> tag = u16();
    if (!tag)
        return std::nullopt;
    switch (*tag) {
    case kTagEmpty:
        return DateVariant{};
    case kTagDate:
        if (const std::optional<double> d = f64())
            return DateVariant::fromDate(*d);
        return std::nullopt;
    case kTagText:
        if (const std::optional<QString> t = string())
            return DateVariant::fromText(*t);
        return std::nullopt;
    default:
        m_failed = true;
        return std::nullopt;
    }
}

void ByteWriter::i16(qint16 v)
{
    appendLE16(m_data, quint16(v));
}

void ByteWriter::u16(quint16 v)
{
    i16(qint16(v));
}

void ByteWriter::i32(qint32 v)
{
    appendLE32(m_data, quint32(v));
}

void ByteWriter::f64(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    char b[8];
    qToLittleEndian(bits, b);
    m_data.append(b, 8);
}

void ByteWriter::stringBytes(QByteArrayView cp932)
{
    Q_ASSERT(cp932.size() <= 0xFFFF);
    u16(quint16(cp932.size()));
    bytes(cp932);
}

void ByteWriter::string(const QString& text)
{
    stringBytes(cp932::encodeLossy(text));
}

void ByteWriter::variant(const DateVariant& v)
{
    switch (v.kind) {
    case DateVariant::Kind::Empty:
        u16(kTagEmpty);
        break;
    case DateVariant::Kind::Date:
        u16(kTagDate);
        f64(v.oleDate);
        break;
    case DateVariant::Kind::Text:
        u16(kTagText);
        string(v.text);
        break;
    }
}

} // namespace quorbell
