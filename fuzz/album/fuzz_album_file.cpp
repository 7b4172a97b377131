// libFuzzer target for the album reader: build with clang and
// -DQUORBELL_FUZZ=ON, run as `fuzz_album_file fuzz/album/corpus`.
#include "AlbumFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return quorbell::fuzz::fuzzAlbumFile(data, size);
}
