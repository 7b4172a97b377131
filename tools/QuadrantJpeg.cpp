#include "QuadrantJpeg.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace quorbell::tools {
namespace {

std::vector<JSAMPLE> rowOf(int width, QRgb left, QRgb right)
{
    std::vector<JSAMPLE> row(size_t(width) * 3);
    for (int x = 0; x < width; ++x) {
        const QRgb c = x < width / 2 ? left : right;
        row[size_t(x) * 3] = JSAMPLE(qRed(c));
        row[size_t(x) * 3 + 1] = JSAMPLE(qGreen(c));
        row[size_t(x) * 3 + 2] = JSAMPLE(qBlue(c));
    }
    return row;
}

} // namespace

QByteArray makeQuadrantJpeg(QSize size, const Quadrants& colours, int quality)
{
    // libjpeg's default error handler ends the process: fine for a generator
    // whose input is always valid.
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = JDIMENSION(size.width());
    info.image_height = JDIMENSION(size.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> top = rowOf(size.width(), colours.topLeft, colours.topRight);
    std::vector<JSAMPLE> bottom = rowOf(size.width(), colours.bottomLeft, colours.bottomRight);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = int(info.next_scanline) < size.height() / 2 ? top.data() : bottom.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

} // namespace quorbell::tools
