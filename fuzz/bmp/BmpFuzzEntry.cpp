#include "BmpFuzzEntry.h"

#include "FuzzCheck.h"

#include "container/BmpCodec.h"
#include "core/ThumbnailFormat.h"

namespace quorbell::fuzz {
namespace {

using namespace quorbell::container;

bool sameInfo(const std::optional<BmpInfo>& a, const std::optional<BmpInfo>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a ||
           (a->fileSize == b->fileSize && a->dataOffset == b->dataOffset &&
            a->headerSize == b->headerSize && a->width == b->width && a->height == b->height &&
            a->topDown == b->topDown && a->depth == b->depth && a->compression == b->compression);
}

} // namespace

int fuzzBmpRecord(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bmp(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<BmpInfo> info = checkBmpHeader(bmp, bmp.size());
    // The container reader checks records from their first bytes only.
    const QByteArrayView head = bmp.first(qMin(bmp.size(), qsizetype(kBmpLargestHeaderBytes)));
    QUORBELL_FUZZ_CHECK(sameInfo(info, checkBmpHeader(head, bmp.size())));
    const QImage picture = decodeBmp(bmp);
    if (picture.isNull())
        return 0;
    QUORBELL_FUZZ_CHECK(info && picture.width() == info->width && picture.height() == info->height);
    QUORBELL_FUZZ_CHECK(picture.format() == kThumbnailFormat);
    // Pixels the record does not set must still come out the same every time.
    QUORBELL_FUZZ_CHECK(decodeBmp(bmp) == picture);
    QUORBELL_FUZZ_CHECK(decodeBmp(encodeBmp24(picture)) == picture);
    return 0;
}

} // namespace quorbell::fuzz
