#include "ExifFuzzEntry.h"

#include "FuzzCheck.h"

#include "album/ExifReader.h"

namespace quorbell::fuzz {

int fuzzExifSegment(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView jpeg(reinterpret_cast<const char*>(data), qsizetype(size));
    const album::ExifFacts facts = album::readExifFacts(jpeg);
    QUORBELL_FUZZ_CHECK(facts.orientation >= 1 && facts.orientation <= 8);
    if (facts.thumbnail) {
        const album::ByteRange& t = *facts.thumbnail;
        QUORBELL_FUZZ_CHECK(t.offset >= 0 && t.length > 0 && t.offset + t.length <= jpeg.size());
    }
    const album::ExifFacts again = album::readExifFacts(jpeg);
    QUORBELL_FUZZ_CHECK(again.orientation == facts.orientation &&
                        again.thumbnail == facts.thumbnail);
    // The program reads only the head of a photo. A head cut inside the EXIF
    // segment may lose facts, but never reads them differently.
    for (const qsizetype cut : {jpeg.size() / 2, jpeg.size() - 1}) {
        if (cut <= 0)
            continue;
        const album::ExifFacts head = album::readExifFacts(jpeg.first(cut));
        QUORBELL_FUZZ_CHECK(head.orientation == facts.orientation || head.orientation == 1);
        QUORBELL_FUZZ_CHECK(!head.thumbnail || head.thumbnail == facts.thumbnail);
    }
    return 0;
}

} // namespace quorbell::fuzz
