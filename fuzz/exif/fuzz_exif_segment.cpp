// libFuzzer target for the EXIF reader of JPEG photos. Build with clang and
// -DQUORBELL_FUZZ=ON -DQUORBELL_SANITIZE=ON, then run it with a scratch folder
// for new inputs first and the committed corpus as seeds:
//   fuzz_exif_segment -max_total_time=900 NEW_CORPUS fuzz/exif/corpus
#include "ExifFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return quorbell::fuzz::fuzzExifSegment(data, size);
}
