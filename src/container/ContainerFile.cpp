#include "container/ContainerFile.h"

#include "container/BmpCodec.h"
#include "core/BinaryIO.h"
#include "core/Cp932.h"
#include "core/FileIO.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace quorbell::container {
namespace {

// The first read of the file: header, size words and usually all names and comments.
constexpr qint64 kFirstReadBytes = 256 * 1024;
// Records read together in one piece take at most this much memory.
constexpr qint64 kMaxSpanBytes = 16 * 1024 * 1024;

ContainerError makeError(ErrorCode code, Section section, qint64 offset, int index = -1)
{
    ContainerError e;
    e.code = code;
    e.section = section;
    e.offset = offset;
    e.index = index;
    return e;
}

bool isFileNameText(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

} // namespace

ContainerFile::~ContainerFile() = default;

ContainerResult<std::shared_ptr<ContainerFile>> ContainerFile::open(const QString& path)
{
    std::shared_ptr<ContainerFile> file(new ContainerFile);
    file->m_path = path;
    switch (openRegularFile(file->m_file, path)) {
    case OpenResult::Opened:
        break;
    case OpenResult::Missing: {
        ContainerError e = makeError(ErrorCode::FileMissing, Section::None, -1);
        e.detail = QStringLiteral("No such file");
        return e;
    }
    case OpenResult::NotAFile: {
        // A pipe or a device is refused before it is opened: reading it would block.
        ContainerError e = makeError(ErrorCode::FileUnreadable, Section::None, -1);
        e.detail = QFileInfo(path).isDir() ? QStringLiteral("Is a folder")
                                           : QStringLiteral("Not a regular file");
        return e;
    }
    case OpenResult::Unreadable: {
        ContainerError e = makeError(ErrorCode::FileUnreadable, Section::None, -1);
        e.detail = file->m_file.errorString();
        return e;
    }
    }
    file->m_size = file->m_file.size();
    if (std::optional<ContainerError> e = file->readTables())
        return *e;
    return file;
}

bool ContainerFile::readAt(qint64 offset, qint64 n, char* out) const
{
    const int fd = m_file.handle();
    while (n > 0) {
        const ssize_t got = ::pread(fd, out, size_t(n), off_t(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            return false;
        }
        if (got == 0) { // the file got shorter since it was opened
            errno = EIO;
            return false;
        }
        out += got;
        offset += got;
        n -= got;
    }
    return true;
}

ContainerError ContainerFile::unreadable(qint64 offset) const
{
    ContainerError e = makeError(ErrorCode::FileUnreadable, Section::None, offset);
    e.detail = QString::fromLocal8Bit(std::strerror(errno));
    return e;
}

std::optional<ContainerError> ContainerFile::readTables()
{
    // The start of the file, read in growing pieces as the parse moves on.
    QByteArray head;
    bool ioFailed = false;
    auto ensure = [&](qint64 end) {
        if (end > m_size)
            return false;
        if (end <= head.size())
            return true;
        const qint64 old = head.size();
        const qint64 want = std::min(m_size, std::max({end, old * 2, kFirstReadBytes}));
        head.resize(want);
        if (!readAt(old, want - old, head.data() + old)) {
            ioFailed = true;
            head.resize(old);
            return false;
        }
        return true;
    };
    auto shortRead = [&](Section section, qint64 offset, int index = -1) {
        return ioFailed ? unreadable(offset)
                        : makeError(ErrorCode::Truncated, section, offset, index);
    };

    // Header.
    ensure(std::min(m_size, kHeaderBytes));
    if (ioFailed)
        return unreadable(0);
    if (m_size < kMagicTagBytes || std::memcmp(head.constData(), kMagicTag, kMagicTagBytes) != 0)
        return makeError(ErrorCode::BadMagic, Section::Header, 0);
    if (m_size < kHeaderBytes)
        return makeError(ErrorCode::Truncated, Section::Header, m_size);
    m_doc.version = QString::fromLatin1(head.constData() + kMagicTagBytes, kVersionBytes);
    // Without a password (bytes 0 and 1 zero) the other six bytes mean nothing,
    // and the document holds the plain "no password" form.
    m_doc.password = passwordFromBytes(QByteArrayView(head).sliced(kPasswordOffset, 8));
    if (!hasPassword(m_doc.password))
        m_doc.password = kNoPassword;
    const int n = readI16(head.constData() + kCountOffset);
    const int cellSize = readI16(head.constData() + kCellSizeOffset);
    if (n < 0)
        return makeError(ErrorCode::BadCount, Section::Header, kCountOffset);
    if (!isValidCellSize(cellSize))
        return makeError(ErrorCode::BadCellSize, Section::Header, kCellSizeOffset);
    m_doc.cellSize = qint16(cellSize);

    // Size words. A count larger than the file can hold shows up as a table
    // that runs past its end; the entries are made only once the file has
    // room for their size words.
    qint64 pos = kHeaderBytes;
    if (!ensure(pos + 4 * qint64(n)))
        return shortRead(Section::SizeWords, m_size);
    m_doc.albums.resize(n);
    m_records.resize(size_t(n));
    for (int i = 0; i < n; ++i, pos += 4)
        m_doc.albums[i].thumbSize = readI32(head.constData() + pos);

    // Names, then comments.
    for (const Section section : {Section::Names, Section::Comments}) {
        for (int i = 0; i < n; ++i) {
            if (!ensure(pos + 2))
                return shortRead(section, pos, i);
            const qint64 len = quint16(readI16(head.constData() + pos));
            if (!ensure(pos + 2 + len))
                return shortRead(section, pos, i);
            std::optional<QString> text =
                cp932::decodeStrict(QByteArrayView(head).sliced(pos + 2, len));
            if (!text)
                return makeError(ErrorCode::BadText, section, pos, i);
            if (section == Section::Names) {
                if (!isFileNameText(*text))
                    return makeError(ErrorCode::BadName, section, pos, i);
                m_doc.albums[i].fileName = std::move(*text);
            } else {
                m_doc.albums[i].comment = std::move(*text);
            }
            pos += 2 + len;
        }
    }
    head = QByteArray(); // the rest is read piece by piece

    // Thumbnail records: only their lengths and BMP headers are read now.
    char buf[4 + kBmpLargestHeaderBytes];
    for (int i = 0; i < n; ++i) {
        if (pos + 4 > m_size)
            return makeError(ErrorCode::Truncated, Section::Thumbnails, pos, i);
        const qint64 avail = std::min<qint64>(m_size - pos, sizeof buf);
        if (!readAt(pos, avail, buf))
            return unreadable(pos);
        const qint32 length = readI32(buf);
        if (length < kBmpMinimumBytes)
            return makeError(ErrorCode::BadRecordLength, Section::Thumbnails, pos, i);
        if (length > m_size - pos - 4)
            return makeError(ErrorCode::Truncated, Section::Thumbnails, pos, i);
        const std::optional<BmpInfo> bmp =
            checkBmpHeader(QByteArrayView(buf + 4, avail - 4), length);
        if (!bmp)
            return makeError(ErrorCode::BadBitmap, Section::Thumbnails, pos + 4, i);
        ThumbnailRecord& r = m_records[size_t(i)];
        r.offset = pos + 4;
        r.length = length;
        r.width = bmp->width;
        r.height = bmp->height;
        r.depth = bmp->depth;
        r.sizeWord = m_doc.albums[i].thumbSize;
        pos += 4 + qint64(length);
    }

    // File sizes, dates and the album folder: the rest of the file, up to
    // what the largest such tail could take.
    const qint64 tailMax = qint64(n) * (4 + 2 + 2 + 0xFFFF) + 2 + 0xFFFF;
    QByteArray tail(std::min(m_size - pos, tailMax), Qt::Uninitialized);
    if (!readAt(pos, tail.size(), tail.data()))
        return unreadable(pos);
    ByteReader r(tail, pos);
    for (int i = 0; i < n; ++i) {
        const std::optional<qint32> size = r.i32();
        if (!size)
            return makeError(ErrorCode::Truncated, Section::FileSizes, r.pos(), i);
        m_doc.albums[i].fileSize = *size;
    }
    for (int i = 0; i < n; ++i) {
        const qint64 at = r.pos();
        const qint64 local = at - pos;
        if (r.remaining() < 2)
            return makeError(ErrorCode::Truncated, Section::FileDates, at, i);
        const quint16 tag = quint16(readI16(tail.constData() + local));
        if (tag != kTagEmpty && tag != kTagDate && tag != kTagText)
            return makeError(ErrorCode::BadVariantTag, Section::FileDates, at, i);
        std::optional<DateVariant> date = r.variant();
        if (!date) {
            // A text entry that is all there but not valid code page 932.
            const bool whole =
                tag == kTagText && tail.size() - local >= 4 &&
                tail.size() - local - 4 >= quint16(readI16(tail.constData() + local + 2));
            return makeError(whole ? ErrorCode::BadText : ErrorCode::Truncated, Section::FileDates,
                             at, i);
        }
        m_doc.albums[i].fileDate = std::move(*date);
    }
    // A file may end right after the dates. The folder is only shown, never
    // used, so text that is not valid code page 932 does not refuse the file.
    if (!r.atEnd()) {
        const qint64 at = r.pos();
        const std::optional<QByteArrayView> folder = r.stringBytes();
        if (!folder)
            return makeError(ErrorCode::Truncated, Section::AlbumFolder, at);
        m_doc.albumFolder = cp932::decode(*folder);
    }
    return std::nullopt;
}

ContainerResult<QByteArray> ContainerFile::recordBytes(int index) const
{
    const ThumbnailRecord& r = record(index);
    QByteArray bytes(r.length, Qt::Uninitialized);
    if (!readAt(r.offset, r.length, bytes.data()))
        return unreadable(r.offset);
    return bytes;
}

ContainerResult<QImage> ContainerFile::decodeRecord(int index) const
{
    ContainerResult<QByteArray> bytes = recordBytes(index);
    if (!bytes)
        return bytes.error();
    QImage image = decodeBmp(*bytes);
    if (image.isNull())
        return makeError(ErrorCode::BadBitmap, Section::Thumbnails, record(index).offset, index);
    return image;
}

ContainerResult<QImage> ContainerFile::thumbnailFrom(int index, QByteArrayView bmp) const
{
    const ThumbnailRecord& r = record(index);
    if (isNoPictureRecord(r.width, r.height, r.sizeWord))
        return QImage();
    QImage image = decodeBmp(bmp);
    if (image.isNull())
        return makeError(ErrorCode::BadBitmap, Section::Thumbnails, r.offset, index);
    return image;
}

ContainerResult<QImage> ContainerFile::thumbnail(int index) const
{
    const ThumbnailRecord& r = record(index);
    if (isNoPictureRecord(r.width, r.height, r.sizeWord))
        return QImage();
    ContainerResult<QByteArray> bytes = recordBytes(index);
    if (!bytes)
        return bytes.error();
    return thumbnailFrom(index, *bytes);
}

std::vector<ContainerResult<QImage>> ContainerFile::thumbnails(int first, int last) const
{
    std::vector<ContainerResult<QImage>> out;
    if (first >= last)
        return out;
    out.reserve(size_t(last - first));
    const qint64 start = record(first).offset;
    const qint64 end = record(last - 1).offset + record(last - 1).length;
    if (end - start > kMaxSpanBytes) { // unusually large pictures: one read each
        for (int i = first; i < last; ++i)
            out.push_back(thumbnail(i));
        return out;
    }
    const std::unique_ptr<char[]> span(new char[size_t(end - start)]);
    if (!readAt(start, end - start, span.get())) {
        const ContainerError e = unreadable(start);
        for (int i = first; i < last; ++i)
            out.emplace_back(e);
        return out;
    }
    for (int i = first; i < last; ++i) {
        const ThumbnailRecord& r = record(i);
        out.push_back(thumbnailFrom(i, QByteArrayView(span.get() + (r.offset - start), r.length)));
    }
    return out;
}

} // namespace quorbell::container
