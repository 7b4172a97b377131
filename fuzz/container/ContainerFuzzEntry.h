// One fuzzing step over the container reader: the bytes are opened as a
// container file and every record is decoded; a file that opens must decode
// the same way twice and by both the one-record and the bulk path, and what
// the writer makes of it must read back equal. The fuzzer and the test suite's
// corpus replay both call it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorbell::fuzz {

int fuzzContainerFile(const std::uint8_t* data, std::size_t size);

} // namespace quorbell::fuzz
