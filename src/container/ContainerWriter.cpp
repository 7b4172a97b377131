#include "container/ContainerWriter.h"

#include "container/BmpCodec.h"
#include "core/BinaryIO.h"
#include "core/Cp932.h"
#include "core/Version.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <vector>

namespace quorbell::container {
namespace {

// Records are gathered into pieces of about this size before each write.
constexpr qint64 kWriteChunkBytes = 4 * 1024 * 1024;

// The texts of one entry in their stored form.
struct EncodedEntry
{
    QByteArray name;
    QByteArray comment;
    QByteArray dateText; // tag 8 only
};

ContainerError writeError(ErrorCode code, Section section, int index, QString detail = {})
{
    ContainerError e;
    e.code = code;
    e.section = section;
    e.index = index;
    e.detail = std::move(detail);
    return e;
}

std::optional<ContainerError> encodeText(const QString& text, Section section, int index,
                                         QByteArray& out)
{
    std::optional<QByteArray> bytes = cp932::encodeExact(text);
    if (!bytes)
        return writeError(ErrorCode::UnencodableText, section, index,
                          cp932::firstUnencodable(text));
    if (bytes->size() > 0xFFFF)
        return writeError(ErrorCode::TextTooLong, section, index);
    out = std::move(*bytes);
    return std::nullopt;
}

std::optional<ContainerError> encodeDocument(const ContainerDocument& doc,
                                             std::vector<EncodedEntry>& out)
{
    if (doc.albums.size() > kMaxAlbums)
        return writeError(ErrorCode::TooManyAlbums, Section::Header, -1);
    if (!isValidCellSize(doc.cellSize))
        return writeError(ErrorCode::BadCellSize, Section::Header, -1);
    out.resize(size_t(doc.albums.size()));
    for (int i = 0; i < doc.albums.size(); ++i) {
        const AlbumEntry& a = doc.albums.at(i);
        EncodedEntry& e = out[size_t(i)];
        if (a.fileName.contains(QLatin1Char('/')) || a.fileName.contains(QChar(0)))
            return writeError(ErrorCode::BadName, Section::Names, i);
        if (auto err = encodeText(a.fileName, Section::Names, i, e.name))
            return err;
        if (auto err = encodeText(a.comment, Section::Comments, i, e.comment))
            return err;
        if (a.fileDate.kind == DateVariant::Kind::Text) {
            if (auto err = encodeText(a.fileDate.text, Section::FileDates, i, e.dateText))
                return err;
        }
        if (!a.thumbnail.isNull() && bmp24FileSize(a.thumbnail.width(), a.thumbnail.height()) < 0)
            return writeError(ErrorCode::ThumbnailTooLarge, Section::Thumbnails, i);
    }
    return std::nullopt;
}

const QImage& noPicture()
{
    static const QImage image = [] {
        QImage white(1, 1, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }();
    return image;
}

class Output
{
public:
    explicit Output(QIODevice& device) : m_device(device) {}
    bool write(QByteArrayView bytes)
    {
        return m_device.write(bytes.data(), bytes.size()) == bytes.size();
    }
    ContainerError failure() const
    {
        return writeError(ErrorCode::WriteFailed, Section::None, -1, m_device.errorString());
    }

private:
    QIODevice& m_device;
};

std::optional<ContainerError> writeEncoded(QIODevice& device, const ContainerDocument& doc,
                                           const std::vector<EncodedEntry>& texts,
                                           const WriteProgress& progress)
{
    Output out(device);
    const int n = int(doc.albums.size());

    ByteWriter head;
    head.bytes(QByteArrayView(kMagicTag, kMagicTagBytes));
    head.bytes(QByteArrayView(kVersionText, kVersionBytes));
    head.bytes(passwordToBytes(doc.password));
    head.i16(qint16(n));
    head.i16(doc.cellSize);
    for (const AlbumEntry& a : doc.albums)
        head.i32(a.thumbnail.isNull() ? 0 : a.thumbSize);
    for (const EncodedEntry& e : texts)
        head.stringBytes(e.name);
    for (const EncodedEntry& e : texts)
        head.stringBytes(e.comment);
    if (!out.write(head.data()))
        return out.failure();
    head = ByteWriter();

    // Thumbnail records: a 32-bit length, then the BMP file, whose own size
    // field holds the same length.
    QByteArray chunk;
    chunk.reserve(kWriteChunkBytes);
    for (int i = 0; i < n; ++i) {
        const QImage& picture =
            doc.albums.at(i).thumbnail.isNull() ? noPicture() : doc.albums.at(i).thumbnail;
        const qint64 length = bmp24FileSize(picture.width(), picture.height());
        if (!chunk.isEmpty() && chunk.size() + 4 + length > kWriteChunkBytes) {
            if (!out.write(chunk))
                return out.failure();
            chunk.resize(0);
        }
        const qsizetype at = chunk.size();
        chunk.resize(at + 4 + length);
        qToLittleEndian(qint32(length), chunk.data() + at);
        encodeBmp24Into(picture, chunk.data() + at + 4);
        if (progress)
            progress(i + 1, n);
    }
    if (!chunk.isEmpty() && !out.write(chunk))
        return out.failure();
    chunk = QByteArray();

    ByteWriter tail;
    for (const AlbumEntry& a : doc.albums)
        tail.i32(a.fileSize);
    for (int i = 0; i < n; ++i) {
        const DateVariant& d = doc.albums.at(i).fileDate;
        if (d.kind == DateVariant::Kind::Text) {
            tail.u16(kTagText);
            tail.stringBytes(texts[size_t(i)].dateText);
        } else {
            tail.variant(d);
        }
    }
    tail.stringBytes(cp932::encodeLossy(doc.albumFolder.value_or(QString())).left(0xFFFF));
    if (!out.write(tail.data()))
        return out.failure();
    return std::nullopt;
}

} // namespace

std::optional<ContainerError> checkContainer(const ContainerDocument& doc)
{
    std::vector<EncodedEntry> texts;
    return encodeDocument(doc, texts);
}

std::optional<ContainerError> writeContainerTo(QIODevice& device, const ContainerDocument& doc,
                                               const WriteProgress& progress)
{
    std::vector<EncodedEntry> texts;
    if (std::optional<ContainerError> e = encodeDocument(doc, texts))
        return e;
    return writeEncoded(device, doc, texts, progress);
}

std::optional<ContainerError> writeContainer(const QString& path, const ContainerDocument& doc,
                                             const WriteProgress& progress)
{
    std::vector<EncodedEntry> texts;
    if (std::optional<ContainerError> e = encodeDocument(doc, texts))
        return e;

    // A read-only file is replaced all the same, and the new file is not
    // read-only. The temporary file takes over the old file's permissions, so
    // the old file is made writable first, and put back as it was when the
    // write fails.
    const QFileInfo info(path);
    std::optional<QFileDevice::Permissions> oldPermissions;
    if (info.exists() && info.isFile() && !(info.permissions() & QFileDevice::WriteOwner)) {
        // The "user" bits describe the caller's access, not the file's mode;
        // Qt would turn them into owner bits when they are set back.
        oldPermissions = info.permissions() &
                         ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        QFile::setPermissions(path, *oldPermissions | QFileDevice::WriteOwner);
    }
    auto fail = [&](const QString& reason) {
        if (oldPermissions)
            QFile::setPermissions(path, *oldPermissions);
        return writeError(ErrorCode::WriteFailed, Section::None, -1, reason);
    };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (std::optional<ContainerError> e = writeEncoded(file, doc, texts, progress)) {
        file.cancelWriting();
        return fail(e->detail);
    }
    // The last bytes may still be in the buffer: commit() would take the new
    // file even if flushing them failed, so the flush is checked first.
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return std::nullopt;
}

} // namespace quorbell::container
