// One fuzzing step over the EXIF reader of JPEG photos: the orientation is
// always one of the eight, an embedded thumbnail lies wholly inside the bytes
// given, the same bytes give the same facts twice, and any prefix that still
// holds the whole thumbnail finds it at the same place. The fuzzer and the
// test suite's corpus replay both call it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorbell::fuzz {

int fuzzExifSegment(const std::uint8_t* data, std::size_t size);

} // namespace quorbell::fuzz
