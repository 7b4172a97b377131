// libFuzzer target for the BMP records of containers. Build with clang and
// -DQUORBELL_FUZZ=ON -DQUORBELL_SANITIZE=ON, then run it with a scratch folder
// for new inputs first and the committed corpus as seeds:
//   fuzz_bmp_record -max_total_time=900 NEW_CORPUS fuzz/bmp/corpus
#include "BmpFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return quorbell::fuzz::fuzzBmpRecord(data, size);
}
