#include "album/JpegDecoder.h"

#include "album/JpegEighthDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>
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

// The picture's pixels, or false when memory runs out.
bool allocate(Rgb32Picture& picture, int width, int height)
{
    try {
        picture = Rgb32Picture(width, height);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// At 1/8 scale from the blocks' DC coefficients, on two threads when the
// machine has them; false when that is not the scale needed or the decoder
// does not handle this JPEG.
bool decodeFromDc(QByteArrayView bytes, const std::function<QSize(QSize)>& neededSize,
                  JpegPicture& out)
{
    const std::optional<QSize> full = jpegHeaderSize(bytes);
    if (!full || jpegScaleDenominator(*full, neededSize(*full)) != 8)
        return false;
    const int threads = std::thread::hardware_concurrency() > 1 ? 2 : 1;
    std::optional<Rgb32Picture> picture = decodeJpegEighth(bytes, threads);
    if (!picture)
        return false;
    out.picture = std::move(*picture);
    out.fullSize = *full;
    out.clean = true;
    return true;
}

// Decodes straight into the 32-bit picture (B, G, R, 0xFF in memory, the
// layout of Format_RGB32), at the scale chosen from the header. libjpeg
// reports errors by a long jump back here: only trivially destructible locals
// live between setjmp and the jump, and the picture is declared before it.
JpegOutcome decodeWithLibjpeg(QByteArrayView bytes, const std::function<QSize(QSize)>& neededSize,
                              JpegPicture& out)
{
    jpeg_decompress_struct info;
    JpegErrorManager err;
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.output_message = onJpegMessage;
    Rgb32Picture picture;
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
        // Four-channel JPEGs need an inversion libjpeg does not do.
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
    if (!allocate(picture, int(info.output_width), int(info.output_height))) {
        jpeg_destroy_decompress(&info);
        return JpegOutcome::Failed;
    }
    auto* const bits = reinterpret_cast<uchar*>(picture.pixels.get());
    const qsizetype stride = qsizetype(picture.width) * 4;
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
    out.picture = std::move(picture);
    out.fullSize = full;
    return JpegOutcome::Decoded;
}

} // namespace

JpegOutcome decodeJpeg(QByteArrayView bytes, const std::function<QSize(QSize)>& neededSize,
                       JpegPicture& out, EighthScale eighthScale)
{
    if (eighthScale == EighthScale::DcOnly && decodeFromDc(bytes, neededSize, out))
        return JpegOutcome::Decoded;
    return decodeWithLibjpeg(bytes, neededSize, out);
}

// Through libjpeg: asking Qt's reader would load every image plugin
// installed, which costs a one-shot process such as the thumbnailer more than
// decoding a small JPEG.
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

} // namespace quorbell::album
