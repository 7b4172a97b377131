#include "JpegVariants.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace quorbell::tools {

QByteArray encodeJpegRows(QSize size, const JpegCoding& coding,
                          const std::function<const uchar*(int y)>& row)
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
    if (coding.grey)
        jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    jpeg_set_quality(&info, coding.quality, TRUE);
    info.comp_info[0].h_samp_factor = coding.lumaHorizontal;
    info.comp_info[0].v_samp_factor = coding.lumaVertical;
    info.restart_in_rows = coding.restartRows;
    info.optimize_coding = coding.optimizedTables ? TRUE : FALSE;
    if (coding.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg reads the row and never writes it.
        JSAMPROW rows[] = {const_cast<JSAMPLE*>(row(int(info.next_scanline)))};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

QByteArray encodeJpeg(const QImage& picture, const JpegCoding& coding)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    return encodeJpegRows(rgb.size(), coding, [&rgb](int y) { return rgb.constScanLine(y); });
}

} // namespace quorbell::tools
