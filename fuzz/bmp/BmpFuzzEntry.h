// One fuzzing step over the BMP records of containers: the header check on
// the first bytes alone must agree with the check on the whole record, a
// record must decode to the same pixels twice and to the sides its header
// gives, and the 24-bit file the writer makes of the picture must decode back
// to it. The fuzzer and the test suite's corpus replay both call it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorbell::fuzz {

int fuzzBmpRecord(const std::uint8_t* data, std::size_t size);

} // namespace quorbell::fuzz
