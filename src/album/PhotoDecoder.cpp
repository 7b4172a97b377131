#include "album/PhotoDecoder.h"

#include "album/JpegEighthDecoder.h"
#include "core/BmpRows.h"
#include "core/RleBmp.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <thread>

#include <jpeglib.h>

namespace quorbell::album {
namespace {

struct JpegErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void onJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// Corrupt-data warnings would go to standard error; the image decodes anyway.
void onJpegMessage(j_common_ptr) {}

enum class JpegOutcome { Decoded, Failed, NotHandled };

// Decodes straight into the 32-bit picture (B, G, R, 0xFF in memory, the
// layout of Format_RGB32), at the scale chosen from the header. libjpeg
// reports errors by a long jump back here: only trivially destructible locals
// live between setjmp and the jump, and the picture is declared before it.
JpegOutcome decodeJpeg(QByteArrayView bytes, const std::function<QSize(QSize)>& neededSize,
                       DecodedPhoto& out)
{
    jpeg_decompress_struct info;
    JpegErrorManager err;
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.output_message = onJpegMessage;
    QImage image;
    QSize full;
    JSAMPROW rows[16];

    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Failed;
    }
    jpeg_create_decompress(&info);
    // No backing store: a header that claims more than this makes libjpeg fail
    // cleanly instead of allocating what the file merely claims.
    info.mem->max_memory_to_use = kMaxDecodedBytes;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Failed;
    }
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        // Four-channel JPEGs need an inversion libjpeg does not do: left to Qt.
        jpeg_destroy_decompress(&info);
        return JpegOutcome::NotHandled;
    }
    full = QSize(int(info.image_width), int(info.image_height));
    info.scale_num = 1;
    info.scale_denom = unsigned(jpegScaleDenominator(full, neededSize(full)));
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    info.out_color_space = JCS_EXT_BGRA; // alpha comes out as 0xFF
#else
    info.out_color_space = JCS_EXT_ARGB;
#endif
    jpeg_calc_output_dimensions(&info);
    if (qint64(info.output_width) * info.output_height * 4 > kMaxDecodedBytes) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Failed;
    }
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Failed;
    }
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        const JDIMENSION first = info.output_scanline;
        const JDIMENSION n = std::min<JDIMENSION>(16, info.output_height - first);
        for (JDIMENSION i = 0; i < n; ++i)
            rows[i] = bits + (first + i) * stride;
        if (jpeg_read_scanlines(&info, rows, n) == 0)
            break; // no more data: the rest keeps what the decoder filled in
    }
    out.clean = info.output_scanline == info.output_height && err.pub.num_warnings == 0;
    jpeg_abort_decompress(&info); // the trailer is of no interest
    jpeg_destroy_decompress(&info);
    out.image = std::move(image);
    out.fullSize = full;
    return JpegOutcome::Decoded;
}

// The pixel size from a JPEG's frame header through libjpeg: asking Qt's
// reader would load every image plugin installed, which costs a one-shot
// process such as the thumbnailer more than decoding a small JPEG.
std::optional<QSize> jpegHeaderSize(QByteArrayView bytes)
{
    jpeg_decompress_struct info;
    JpegErrorManager err;
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.output_message = onJpegMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    const bool read = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
    const QSize size(int(info.image_width), int(info.image_height));
    jpeg_destroy_decompress(&info);
    if (!read || size.isEmpty())
        return std::nullopt;
    return size;
}

// The photo at 1/8 scale from its DC coefficients, when that is the scale
// needed and the JPEG is one that decoder handles.
bool decodeJpegFromDc(QByteArrayView bytes, const std::function<QSize(QSize)>& neededSize,
                      DecodedPhoto& out)
{
    const std::optional<QSize> full = jpegHeaderSize(bytes);
    if (!full || jpegScaleDenominator(*full, neededSize(*full)) != 8)
        return false;
    const int threads = std::thread::hardware_concurrency() > 1 ? 2 : 1;
    std::optional<QImage> picture = decodeJpegEighth(bytes, threads);
    if (!picture)
        return false;
    out.image = std::move(*picture);
    out.fullSize = *full;
    out.clean = true;
    return true;
}

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

ImageKind sniffImageKind(QByteArrayView bytes)
{
    if (bytes.size() >= 3 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8 &&
        uchar(bytes[2]) == 0xFF)
        return ImageKind::Jpeg;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return ImageKind::Bmp;
    if (bytes.size() >= 6 && (bytes.first(6) == "GIF87a" || bytes.first(6) == "GIF89a"))
        return ImageKind::Gif;
    return ImageKind::Unknown;
}

int jpegScaleDenominator(QSize full, QSize needed)
{
    for (int d : {8, 4, 2}) {
        const int w = (full.width() + d - 1) / d;
        const int h = (full.height() + d - 1) / d;
        if (w >= needed.width() && h >= needed.height())
            return d;
    }
    return 1;
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
    if (kind == ImageKind::Jpeg && eighthScale == EighthScale::DcOnly &&
        decodeJpegFromDc(bytes, neededSize, out))
        return out;
    if (kind == ImageKind::Jpeg) {
        const JpegOutcome j = decodeJpeg(bytes, neededSize, out);
        if (j == JpegOutcome::Decoded)
            return out;
        if (j == JpegOutcome::Failed)
            return std::nullopt;
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
