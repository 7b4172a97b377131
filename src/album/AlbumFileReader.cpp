#include "album/AlbumFileReader.h"

#include "core/BinaryIO.h"
#include "core/Cp932.h"
#include "core/FileIO.h"

#include <QFile>

#include <algorithm>
#include <optional>
#include <utility>

namespace quorbell::album {
namespace {

// Reads a device front to back through a window of bytes, so that the many
// small fields of the tables cost few reads. Every request is checked against
// the size of the file before anything is read or allocated.
class TableCursor
{
public:
    TableCursor(QIODevice& device, qint64 size) : m_device(device), m_size(size) {}

    qint64 pos() const { return m_pos; }
    qint64 remaining() const { return m_size - m_pos; }
    bool ioFailed() const { return m_ioFailed; }

    // The next n bytes, valid until the next call; nothing when the file has
    // fewer left or the device fails.
    std::optional<QByteArrayView> take(qint64 n)
    {
        if (n < 0 || n > remaining())
            return std::nullopt;
        const qint64 bufEnd = m_bufStart + m_buf.size();
        if (m_pos < m_bufStart || m_pos + n > bufEnd) {
            if (!fill(n))
                return std::nullopt;
        }
        const QByteArrayView out(m_buf.constData() + (m_pos - m_bufStart), n);
        m_pos += n;
        return out;
    }

    bool skip(qint64 n)
    {
        if (n < 0 || n > remaining())
            return false;
        m_pos += n;
        return true;
    }

private:
    // One page: the names usually come in one read, and after each skipped
    // block the next length word costs one small read, not a large one.
    static constexpr qint64 kWindow = 4096;

    bool fill(qint64 n)
    {
        const qint64 want = std::min(std::max(n, kWindow), remaining());
        m_bufStart = m_pos;
        m_buf.clear();
        if (!m_device.seek(m_pos)) {
            m_ioFailed = true;
            return false;
        }
        m_buf.resize(want);
        const qint64 got = m_device.read(m_buf.data(), want);
        if (got < n) {
            m_buf.clear();
            m_ioFailed = true;
            return false;
        }
        m_buf.resize(got);
        return true;
    }

    QIODevice& m_device;
    qint64 m_size = 0;
    qint64 m_pos = 0;
    QByteArray m_buf;
    qint64 m_bufStart = 0;
    bool m_ioFailed = false;
};

AlbumFailure shortRead(const TableCursor& c, AlbumError error)
{
    return {c.ioFailed() ? AlbumError::Unreadable : error, c.pos()};
}

AlbumResult<AlbumTable> parseTables(QIODevice& device, EntryChecks checks)
{
    const qint64 size = device.size();
    TableCursor c(device, size);
    AlbumTable t;
    t.fileSize = size;

    const std::optional<QByteArrayView> header = c.take(kAlbumHeaderLength);
    if (!header)
        return shortRead(c, AlbumError::BadHeader);
    if (header->first(kAlbumMagicLength) != QByteArrayView(kAlbumMagic, kAlbumMagicLength))
        return AlbumFailure{AlbumError::BadHeader, 0};
    t.header = header->toByteArray();

    const std::optional<QByteArrayView> fixed = c.take(kSizesOffset - kPasswordOffset);
    if (!fixed)
        return shortRead(c, AlbumError::Truncated);
    t.password = passwordFromBytes(fixed->first(kPasswordLength));
    const qint16 count = readI16(fixed->data() + (kCountOffset - kPasswordOffset));
    t.unusedValue = readI16(fixed->data() + (kUnusedOffset - kPasswordOffset));
    // Before anything is sized by the count: it must be positive and the file
    // must have room for that many of the smallest possible photos.
    if (count < 1 || kSizesOffset + count * kMinBytesPerPhoto > size)
        return AlbumFailure{AlbumError::BadCount, kCountOffset};
    t.photos.resize(count);

    const std::optional<QByteArrayView> sizes = c.take(qint64(count) * 4);
    if (!sizes)
        return shortRead(c, AlbumError::Truncated);
    for (int i = 0; i < count; ++i)
        t.photos[i].sizeWord = readI32(sizes->data() + i * 4);

    for (AlbumPhoto& p : t.photos) {
        const qint64 at = c.pos();
        const std::optional<QByteArrayView> n = c.take(2);
        if (!n)
            return shortRead(c, AlbumError::Truncated);
        const std::optional<QByteArrayView> raw = c.take(quint16(readI16(n->data())));
        if (!raw)
            return shortRead(c, AlbumError::Truncated);
        std::optional<QString> name = cp932::decodeStrict(*raw);
        if (!name) {
            p.nameDamage = {AlbumError::BadName, at};
            if (checks == EntryChecks::WholeTable)
                return p.nameDamage;
            name = cp932::decode(*raw);
        }
        p.rawName = raw->toByteArray();
        p.name = std::move(*name);
    }

    for (AlbumPhoto& p : t.photos) {
        const qint64 at = c.pos();
        const std::optional<QByteArrayView> l = c.take(4);
        if (!l)
            return shortRead(c, AlbumError::Truncated);
        const qint32 length = readI32(l->data());
        if (length < 1 || length > c.remaining())
            return AlbumFailure{AlbumError::BadBlockLength, at};
        p.blockOffset = c.pos();
        p.blockLength = length;
        c.skip(length);
    }

    const std::optional<QByteArrayView> positions = c.take(qint64(count) * 4);
    if (!positions)
        return shortRead(c, AlbumError::Truncated);
    for (int i = 0; i < count; ++i)
        t.photos[i].position = readI32(positions->data() + i * 4);
    const qint64 lengthsAt = c.pos();
    const std::optional<QByteArrayView> lengths = c.take(qint64(count) * 4);
    if (!lengths)
        return shortRead(c, AlbumError::Truncated);
    for (int i = 0; i < count; ++i)
        t.photos[i].length = readI32(lengths->data() + i * 4);
    t.tablesEnd = c.pos();

    const qint64 positionsAt = lengthsAt - qint64(count) * 4;
    for (int i = 0; i < count; ++i) {
        AlbumPhoto& p = t.photos[i];
        if (p.position < 1 || p.position > size)
            p.placeDamage = {AlbumError::BadPosition, positionsAt + i * 4};
        else if (p.length < 1 || p.length > size - p.offset())
            p.placeDamage = {AlbumError::BadPosition, lengthsAt + i * 4};
        if (!p.hasReadableImage() && checks == EntryChecks::WholeTable)
            return p.placeDamage;
    }
    return t;
}

} // namespace

AlbumFileReader::AlbumFileReader() = default;
AlbumFileReader::~AlbumFileReader() = default;
AlbumFileReader::AlbumFileReader(AlbumFileReader&& other) noexcept
    : m_file(std::move(other.m_file)), m_device(std::exchange(other.m_device, nullptr)),
      m_table(std::move(other.m_table))
{
}

AlbumFileReader& AlbumFileReader::operator=(AlbumFileReader&& other) noexcept
{
    if (this != &other) {
        m_file = std::move(other.m_file);
        m_device = std::exchange(other.m_device, nullptr);
        m_table = std::move(other.m_table);
    }
    return *this;
}

AlbumFailure AlbumFileReader::open(const QString& path, EntryChecks checks)
{
    close();
    auto file = std::make_unique<QFile>();
    if (const OpenResult opened = openRegularFile(*file, path); opened != OpenResult::Opened)
        return {albumError(opened)};
    m_file = std::move(file);
    m_device = m_file.get();
    return readTables(checks);
}

AlbumFailure AlbumFileReader::open(QIODevice* device, EntryChecks checks)
{
    close();
    if (!device || !device->isReadable())
        return {AlbumError::Unreadable};
    if (device->isSequential())
        return {AlbumError::NotAFile};
    m_device = device;
    return readTables(checks);
}

AlbumFailure AlbumFileReader::readTables(EntryChecks checks)
{
    AlbumResult<AlbumTable> t = parseTables(*m_device, checks);
    if (!t) {
        close();
        return t.failure();
    }
    m_table = std::move(t).value();
    return {};
}

void AlbumFileReader::close()
{
    m_device = nullptr;
    m_file.reset();
    m_table = {};
}

AlbumResult<QByteArray> AlbumFileReader::photoBytes(int index)
{
    if (!m_device)
        return AlbumError::Unreadable;
    if (index < 0 || index >= m_table.photos.size())
        return AlbumError::NoSuchPhoto;
    return readPhotoBytes(m_device, m_table.photos.at(index));
}

AlbumResult<QByteArray> AlbumFileReader::photoHead(int index, qint64 maxBytes)
{
    if (!m_device)
        return AlbumError::Unreadable;
    if (index < 0 || index >= m_table.photos.size())
        return AlbumError::NoSuchPhoto;
    return readPhotoHead(m_device, m_table.photos.at(index), maxBytes);
}

AlbumResult<QByteArrayView> AlbumFileReader::mapPhotoBytes(int index)
{
    if (!m_file)
        return AlbumError::Unreadable;
    if (index < 0 || index >= m_table.photos.size())
        return AlbumError::NoSuchPhoto;
    const AlbumPhoto& photo = m_table.photos.at(index);
    // Checked against the size of the file as it is now, as a read would be.
    if (photo.position < 1 || photo.length < 1 || photo.offset() > m_file->size() - photo.length)
        return AlbumFailure{AlbumError::BadPosition, photo.offset()};
    const uchar* mapped = m_file->map(photo.offset(), photo.length);
    if (!mapped)
        return AlbumError::Unreadable;
    return QByteArrayView(mapped, photo.length);
}

AlbumResult<AlbumTable> readAlbumTable(const QString& path, EntryChecks checks)
{
    AlbumFileReader reader;
    const AlbumFailure f = reader.open(path, checks);
    if (f.error != AlbumError::None)
        return f;
    return reader.table();
}

AlbumResult<AlbumTable> readAlbumTable(QIODevice* device, EntryChecks checks)
{
    AlbumFileReader reader;
    const AlbumFailure f = reader.open(device, checks);
    if (f.error != AlbumError::None)
        return f;
    return reader.table();
}

AlbumResult<QByteArray> readPhotoHead(QIODevice* device, const AlbumPhoto& photo, qint64 maxBytes)
{
    // The table was checked when it was read, but the file may have changed
    // since: check the position against the size of the file as it is now.
    const qint64 size = device->size();
    if (photo.position < 1 || photo.length < 1 || photo.offset() > size - photo.length)
        return AlbumFailure{AlbumError::BadPosition, photo.offset()};
    if (!device->seek(photo.offset()))
        return AlbumError::Unreadable;
    const qint64 n = std::clamp<qint64>(maxBytes, 0, photo.length);
    QByteArray bytes(n, Qt::Uninitialized);
    if (device->read(bytes.data(), n) != n)
        return AlbumError::Unreadable;
    return bytes;
}

AlbumResult<QByteArray> readPhotoBytes(QIODevice* device, const AlbumPhoto& photo)
{
    return readPhotoHead(device, photo, photo.length);
}

AlbumResult<QByteArray> readPhotoBytes(const QString& path, const AlbumPhoto& photo)
{
    QFile file;
    if (const OpenResult opened = openRegularFile(file, path); opened != OpenResult::Opened)
        return albumError(opened);
    return readPhotoBytes(&file, photo);
}

} // namespace quorbell::album
