// One fuzzing step over the settings file: any bytes are read into the state
// and written out again; once written, a file must read back to the state it
// was written from (writing it again gives the same bytes), and replacing
// lines twice must give what replacing them once gave. The fuzzer and the test suite's corpus
// replay both call it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorbell::fuzz {

int fuzzSettingsFile(const std::uint8_t* data, std::size_t size);

} // namespace quorbell::fuzz
