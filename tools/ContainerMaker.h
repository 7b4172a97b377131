// Container files for tests, benchmarks and the demo, assembled byte by byte
// from the file layout (not through the program's writer), with thumbnail
// records in any BMP form a container may hold.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace quorbell::tools {

// The BMP forms the generator can store in a thumbnail record.
enum class BmpKind {
    Mono1,       // 1-bit, 2-colour palette
    Palette4,    // 4-bit, 16-colour palette
    Palette8,    // 8-bit, 216-colour palette
    Rle8,        // 8-bit run-length encoded
    Rgb16,       // 16-bit 5-5-5
    Rgb24,       // 24-bit, the form this program writes
    Rgb32,       // 32-bit, no masks
    Bitfields32, // 32-bit with explicit colour masks
    TopDown24,   // 24-bit with rows stored top to bottom
    Core24,      // 24-bit with the old 12-byte information header
};

// A complete BMP file of the picture in the given form. Palette forms
// quantise the picture to their palette.
QByteArray makeBmp(const QImage& picture, BmpKind kind);

// A BMP file of the given RLE runs as they are (depth 8: RLE8, depth 4:
// RLE4), with the palette written in full. The runs need not be complete.
QByteArray makeRleBmp(int depth, QSize size, const QList<QRgb>& palette, const QByteArray& runs);

// A deterministic picture: gradients and a band whose colours depend on `seed`.
QImage paintThumbnail(int seed, int width, int height);

// The thumbnail's size inside a cell: a picture no larger than cellSize-2 on
// either side keeps its size, a larger one shrinks until its longer side is
// cellSize-2 (integer arithmetic, proportions kept).
QSize fittedSize(int width, int height, int cellSize);

// Variant entries for the dates table.
QByteArray dateEntry(double oleDate);
QByteArray textDateEntry(const QByteArray& cp932Text);
QByteArray emptyDateEntry();

struct RawEntry
{
    QByteArray name;    // code page 932 bytes
    QByteArray comment; // code page 932 bytes
    qint32 sizeWord = 0;
    QByteArray bmp;                     // the whole record after its length: normally a BMP file
    std::optional<qint32> recordLength; // written instead of bmp.size() when set
    qint32 fileSize = 0;
    QByteArray date; // a whole variant entry
};

struct RawContainer
{
    QByteArray magic = QByteArrayLiteral("QuorbellVer2.50"); // 15 bytes
    QByteArray password = QByteArray(8, '\0');
    std::optional<qint16> count; // written instead of entries.size() when set
    qint16 cellSize = 80;
    QList<RawEntry> entries;
    std::optional<QByteArray> albumFolder; // cp932 bytes; none: the file ends after the dates
};

// Where each table starts in an assembled file (0-based offsets).
struct ContainerLayout
{
    qint64 sizeWords = 0, names = 0, comments = 0, records = 0, fileSizes = 0, dates = 0,
           folder = 0, end = 0;
    QList<qint64> recordStarts; // offset of each record's length field
};

QByteArray assembleContainer(const RawContainer& c, ContainerLayout* layout = nullptr);

struct SampleOptions
{
    int count = 10;
    int cellSize = 80;
    std::optional<QString> password;      // stored form of this text; none: no password
    QList<BmpKind> kinds{BmpKind::Rgb24}; // cycled over the entries
    int hiddenEvery = 7;                  // every n-th entry (1-based) is hidden; 0: none
    QString albumFolder = QStringLiteral("/home/user/アルバム/");
    bool withFolder = true;
};

// A container of painted albums: Japanese and Latin names and comments, hidden
// entries, dates cycling through tag 7, tag 8 ("yy/MM/dd 0:00:00" and
// "yyyy/MM/dd 0:00:00") and tag 0, thumbnails fitted to the cell from photo
// sizes of several shapes.
RawContainer sampleContainer(const SampleOptions& options);

} // namespace quorbell::tools
