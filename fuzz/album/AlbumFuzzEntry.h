// One fuzzing step over the album reader: the bytes are read as an album
// file, every photo's bytes are read back, and the first photo is decoded for
// a thumbnail. The fuzzer and the test suite's corpus replay both call it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorbell::fuzz {

int fuzzAlbumFile(const std::uint8_t* data, std::size_t size);

} // namespace quorbell::fuzz
