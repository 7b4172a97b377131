#include "album/PhotoDecoder.h"

#include "album/JpegDecoder.h"
#include "core/BmpRows.h"
#include "core/RleBmp.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace quorbell::album {
namespace {

// Lays a picture with transparency over white and returns it as Format_RGB32.
QImage flattenToRgb32(const QImage& in)
{
    if (in.format() == QImage::Format_RGB32)
        return in;
    if (!in.hasAlphaChannel())
        return in.convertToFormat(QImage::Format_RGB32);
    QImage img = in.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = line[x];
            const int under = 255 - qAlpha(p); // premultiplied: add white times the uncovered part
            line[x] = qRgb(qRed(p) + under, qGreen(p) + under, qBlue(p) + under);
        }
    }
    return img.convertToFormat(QImage::Format_RGB32);
}

const char* qtFormatFor(ImageKind kind)
{
    switch (kind) {
    case ImageKind::Bmp:
        return "bmp";
    case ImageKind::Jpeg:
        return "jpeg";
    case ImageKind::Gif:
        return "gif";
    case ImageKind::Unknown:
        break;
    }
    return nullptr;
}

// A reader fixed to one of the three formats, so no other image plugin ever
// sees album bytes.
bool setUpReader(QImageReader& reader, QBuffer& buffer, QByteArrayView bytes, ImageKind kind)
{
    const char* format = qtFormatFor(kind);
    if (!format)
        return false;
    buffer.setData(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    reader.setDevice(&buffer);
    reader.setFormat(format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    return true;
}

} // namespace

QImage imageOf(Rgb32Picture&& picture)
{
    quint32* held = picture.pixels.release();
    return QImage(
        reinterpret_cast<uchar*>(held), picture.width, picture.height, qsizetype(picture.width) * 4,
        QImage::Format_RGB32, [](void* pixels) { delete[] static_cast<quint32*>(pixels); }, held);
}

std::optional<QSize> readPixelSize(QByteArrayView bytes)
{
    const ImageKind kind = sniffImageKind(bytes);
    if (kind == ImageKind::Jpeg)
        return jpegHeaderSize(bytes);
    QBuffer buffer;
    QImageReader reader;
    if (!setUpReader(reader, buffer, bytes, kind))
        return std::nullopt;
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

std::optional<DecodedPhoto> decodePhoto(QByteArrayView bytes,
                                        const std::function<QSize(QSize)>& neededSize,
                                        EighthScale eighthScale)
{
    const ImageKind kind = sniffImageKind(bytes);
    DecodedPhoto out;
    if (kind == ImageKind::Jpeg) {
        JpegPicture decoded;
        const JpegOutcome j = decodeJpeg(bytes, neededSize, decoded, eighthScale);
        if (j == JpegOutcome::Failed)
            return std::nullopt;
        if (j == JpegOutcome::Decoded) {
            out.image = imageOf(std::move(decoded.picture));
            out.fullSize = decoded.fullSize;
            out.clean = decoded.clean;
            return out;
        }
    }
    if (kind == ImageKind::Bmp && isRleBmp(bytes)) {
        // Qt's reader leaves the pixels the runs do not reach unwritten.
        out.image = decodeRleBmp(bytes);
        if (out.image.isNull())
            return std::nullopt;
        out.fullSize = out.image.size();
        return out;
    }
    // Rows past the end of a cut-off BMP would be left unwritten by Qt's reader.
    const std::optional<QByteArray> completed =
        kind == ImageKind::Bmp ? completedBmpRows(bytes) : std::nullopt;
    QBuffer buffer;
    QImageReader reader;
    if (!setUpReader(reader, buffer, completed ? QByteArrayView(*completed) : bytes, kind))
        return std::nullopt;
    const QSize full = reader.size();
    if (!full.isValid() || full.isEmpty())
        return std::nullopt;
    if (kind == ImageKind::Jpeg) {
        const int d = jpegScaleDenominator(full, neededSize(full));
        if (d > 1)
            reader.setScaledSize(QSize(full.width() / d, full.height() / d));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;
    out.image = flattenToRgb32(image);
    out.fullSize = full;
    return out;
}

} // namespace quorbell::album
