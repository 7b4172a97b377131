// Reads the tables of an album file from a random-access device, checking
// every count, length and position against the real size of the file before
// it reads or allocates anything, and reads one photo's image bytes on demand.
// The blocks between the names and the position table are skipped by seeking,
// so an album of hundreds of megabytes costs a few small reads.
#pragma once

#include "album/AlbumError.h"
#include "album/AlbumTable.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;
class QIODevice;

namespace quorbell::album {

// How the entries of the photo table are checked. The counts, the sizes and
// the blocks are checked as strictly either way: nothing is read outside the
// file.
enum class EntryChecks {
    // Every entry must be whole (a name in code page 932, an image position
    // and length inside the file), or the table is refused: for the commands
    // that report or copy the whole album.
    WholeTable,
    // An entry's damage is recorded in that entry (AlbumPhoto::nameDamage,
    // placeDamage) and affects nothing else: for the thumbnail, which needs
    // only the first photo, and the viewer, which passes over what it cannot
    // read.
    EachEntryAlone,
};

class AlbumFileReader
{
public:
    AlbumFileReader();
    ~AlbumFileReader();
    AlbumFileReader(AlbumFileReader&&) noexcept;
    AlbumFileReader& operator=(AlbumFileReader&&) noexcept;

    // Opens the file at `path` for reading and reads its tables. A missing
    // file, a folder, a device or a pipe is refused before anything is opened.
    AlbumFailure open(const QString& path, EntryChecks checks = EntryChecks::WholeTable);
    // Reads the tables of a device that is already open (a buffer in tests and
    // fuzzing); the device is not owned and must outlive the reader.
    AlbumFailure open(QIODevice* device, EntryChecks checks = EntryChecks::WholeTable);
    void close();

    bool isOpen() const { return m_device != nullptr; }
    const AlbumTable& table() const { return m_table; }

    // The image bytes of photo `index`, read from its position.
    AlbumResult<QByteArray> photoBytes(int index);
    // At most the first `maxBytes` of them, for what a photo's header says.
    AlbumResult<QByteArray> photoHead(int index, qint64 maxBytes);
    // The image bytes of photo `index` mapped into memory rather than copied,
    // valid until the reader is closed: no copy and no fresh pages to fill,
    // which a one-shot process notices. Only for a process that may be
    // stopped by SIGBUS when the file shrinks under the mapping, never for the
    // program's workers. Unreadable when the reader has no file to map.
    AlbumResult<QByteArrayView> mapPhotoBytes(int index);

private:
    AlbumFailure readTables(EntryChecks checks);

    std::unique_ptr<QFile> m_file;
    QIODevice* m_device = nullptr;
    AlbumTable m_table;
};

// The tables of the file at `path`; the file is closed again before returning.
AlbumResult<AlbumTable> readAlbumTable(const QString& path,
                                       EntryChecks checks = EntryChecks::WholeTable);
// The tables of an open device (not owned).
AlbumResult<AlbumTable> readAlbumTable(QIODevice* device,
                                       EntryChecks checks = EntryChecks::WholeTable);

// The image bytes of one photo of a table read earlier: the file is opened,
// its size checked again (it may have changed since), and closed again.
AlbumResult<QByteArray> readPhotoBytes(const QString& path, const AlbumPhoto& photo);
AlbumResult<QByteArray> readPhotoBytes(QIODevice* device, const AlbumPhoto& photo);
// The first `maxBytes` of them, or all when there are fewer.
AlbumResult<QByteArray> readPhotoHead(QIODevice* device, const AlbumPhoto& photo, qint64 maxBytes);

} // namespace quorbell::album
