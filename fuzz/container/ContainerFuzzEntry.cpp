#include "ContainerFuzzEntry.h"

#include "FuzzCheck.h"

#include "container/ContainerFile.h"
#include "container/ContainerWriter.h"
#include "core/Cp932.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <bit>

namespace quorbell::fuzz {
namespace {

using namespace quorbell::container;

// The reader opens files by name, so each input goes through a scratch file
// in a folder of this process that is removed when it exits.
QString scratchFile(const char* name)
{
    static const QTemporaryDir dir;
    QUORBELL_FUZZ_CHECK(dir.isValid());
    return dir.filePath(QString::fromLatin1(name));
}

std::shared_ptr<ContainerFile> openBytes(const char* name, const QByteArray& bytes)
{
    const QString path = scratchFile(name);
    QFile f(path);
    QUORBELL_FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                        f.write(bytes) == bytes.size());
    f.close();
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    return file ? *file : nullptr;
}

bool sameImage(const ContainerResult<QImage>& a, const ContainerResult<QImage>& b)
{
    if (a.ok() != b.ok())
        return false;
    return a.ok() ? *a == *b : a.error().code == b.error().code;
}

// Dates are compared bit for bit: a stored NaN is written back as it was.
bool sameDate(const DateVariant& a, const DateVariant& b)
{
    return a.kind == b.kind && a.text == b.text &&
           std::bit_cast<quint64>(a.oleDate) == std::bit_cast<quint64>(b.oleDate);
}

bool sameEntry(const AlbumEntry& a, const AlbumEntry& b)
{
    // An entry without a picture is written with size word 0, whatever it had.
    return a.fileName == b.fileName && a.comment == b.comment && a.fileSize == b.fileSize &&
           sameDate(a.fileDate, b.fileDate) && a.thumbnail == b.thumbnail &&
           (a.thumbnail.isNull() || a.thumbSize == b.thumbSize);
}

} // namespace

int fuzzContainerFile(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::shared_ptr<ContainerFile> file = openBytes("input.cov", bytes);
    if (!file)
        return 0;
    ContainerDocument doc = file->document();
    const std::vector<ContainerResult<QImage>> bulk = file->thumbnails(0, file->count());
    QUORBELL_FUZZ_CHECK(int(bulk.size()) == file->count());
    bool everyRecordDecodes = true;
    for (int i = 0; i < file->count(); ++i) {
        const ContainerResult<QImage> once = file->thumbnail(i);
        // The same record decodes to the same pixels every time, by either path.
        QUORBELL_FUZZ_CHECK(sameImage(once, file->thumbnail(i)));
        QUORBELL_FUZZ_CHECK(sameImage(once, bulk[size_t(i)]));
        if (once)
            doc.albums[i].thumbnail = *once;
        everyRecordDecodes = everyRecordDecodes && once.ok();
    }
    // A file the program would refuse, or a document its writer refuses, ends here.
    if (!everyRecordDecodes || checkContainer(doc))
        return 0;

    QBuffer written;
    written.open(QIODevice::WriteOnly);
    QUORBELL_FUZZ_CHECK(!writeContainerTo(written, doc));
    const std::shared_ptr<ContainerFile> back = openBytes("written.cov", written.data());
    QUORBELL_FUZZ_CHECK(back && back->count() == file->count());
    const ContainerDocument& again = back->document();
    QUORBELL_FUZZ_CHECK(again.password == doc.password && again.cellSize == doc.cellSize);
    // The folder is always written (empty when there was none); one without a
    // code page 932 form is written with "?" in its place.
    const QString folder = doc.albumFolder.value_or(QString());
    QUORBELL_FUZZ_CHECK(again.albumFolder.has_value());
    QUORBELL_FUZZ_CHECK(!cp932::canEncode(folder) || *again.albumFolder == folder);
    for (int i = 0; i < back->count(); ++i) {
        AlbumEntry entry = again.albums.at(i);
        const ContainerResult<QImage> picture = back->thumbnail(i);
        QUORBELL_FUZZ_CHECK(picture.ok());
        entry.thumbnail = *picture;
        QUORBELL_FUZZ_CHECK(sameEntry(entry, doc.albums.at(i)));
    }
    return 0;
}

} // namespace quorbell::fuzz
