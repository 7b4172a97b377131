// libFuzzer target for the album reader. Build with clang and
// -DQUORBELL_FUZZ=ON -DQUORBELL_SANITIZE=ON, then run it with a scratch folder
// for new inputs first and the committed corpus as seeds:
//   fuzz_album_file -max_total_time=300 NEW_CORPUS fuzz/album/corpus
#include "AlbumFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return quorbell::fuzz::fuzzAlbumFile(data, size);
}
