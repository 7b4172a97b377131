// An open container file whose header and tables have been read and checked:
// the names, comments, size words, file sizes, dates and album folder are in
// memory, and every thumbnail record has been located and its BMP headers
// checked, but no picture has been decoded yet. The pictures are read from
// the file on demand, from any thread (ThumbnailLoader does it in bulk).
#pragma once

#include "container/ContainerDocument.h"
#include "container/ContainerError.h"

#include <QFile>
#include <QImage>

#include <memory>
#include <vector>

namespace quorbell::container {

struct ThumbnailRecord
{
    qint64 offset = 0; // 0-based offset of the BMP file (after its 32-bit length)
    qint32 length = 0; // bytes of the BMP file
    int width = 0;     // from the BMP's header
    int height = 0;
    int depth = 0;       // bits per pixel
    qint32 sizeWord = 0; // the entry's size word, for the no-picture form
};

class ContainerFile
{
public:
    // Opens the file and reads everything but the pictures. Every count,
    // length and tag is checked against the file's real size before it is
    // trusted; nothing is allocated beyond what the file holds.
    static ContainerResult<std::shared_ptr<ContainerFile>> open(const QString& path);

    ContainerFile(const ContainerFile&) = delete;
    ContainerFile& operator=(const ContainerFile&) = delete;
    ~ContainerFile();

    const QString& path() const { return m_path; }
    qint64 fileSize() const { return m_size; }
    int count() const { return int(m_records.size()); }

    // Everything read so far; every thumbnail is still null.
    const ContainerDocument& document() const { return m_doc; }
    const ThumbnailRecord& record(int index) const { return m_records[size_t(index)]; }

    // The stored BMP file of one record, exactly as it is in the container.
    ContainerResult<QByteArray> recordBytes(int index) const;
    // One record decoded into the thumbnail format, without the no-picture rule.
    ContainerResult<QImage> decodeRecord(int index) const;
    // The entry's thumbnail: the record decoded, or a null picture for the
    // no-picture form (see isNoPictureRecord).
    ContainerResult<QImage> thumbnail(int index) const;
    // The thumbnails of records [first, last) with one read of the file.
    std::vector<ContainerResult<QImage>> thumbnails(int first, int last) const;

private:
    ContainerFile() = default;
    std::optional<ContainerError> readTables();
    // Reads `n` bytes at `offset` into `out`; thread-safe (positional reads).
    bool readAt(qint64 offset, qint64 n, char* out) const;
    ContainerError unreadable(qint64 offset) const;
    ContainerResult<QImage> thumbnailFrom(int index, QByteArrayView bmp) const;

    QString m_path;
    QFile m_file;
    qint64 m_size = 0;
    ContainerDocument m_doc;
    std::vector<ThumbnailRecord> m_records;
};

} // namespace quorbell::container
