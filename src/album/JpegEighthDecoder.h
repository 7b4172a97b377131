// A JPEG decoded at one eighth of its size from the DC coefficients alone:
// each 8x8 block of a component becomes one sample (its mean, as the 1/8
// scale of a full decoder computes it), subsampled colour is smoothed back
// up, and YCbCr becomes RGB as libjpeg converts it. Grey and 4:4:4 pictures
// come out as libjpeg's own 1/8 scale; 4:2:0 and 4:2:2 differ from it by a
// few levels in colour only.
//
// Without inverse transforms the work is the entropy decoding, and that is
// shared between threads. With restart markers the intervals are shared
// out. Without them a second thread starts half-way at a guessed bit and
// records where each of its MCUs starts; the first thread, decoding from the
// start, keeps going past the half-way point until it starts an MCU at a bit
// where the second thread also started one. From there the two decodings are
// the same (a Huffman decoder at the same bit in the same state reads the
// same symbols), so the second thread's MCUs from that point are taken and
// everything the first did not decode itself comes from them. Huffman codes
// fall back into step within a few blocks; when they do not, the first
// thread decodes to the end, and the result is the same.
//
// Thread-agnostic: it touches no shared state beyond the threads it starts.
#pragma once

#include "album/Rgb32Picture.h"

#include <QByteArrayView>

#include <optional>

namespace quorbell::album {

// The picture (each side of the photo divided by 8 and rounded up) decoded
// with up to `threads` threads; nothing when the JPEG is not a baseline one
// this decoder handles, or when its data is damaged or cut short: the caller
// then decodes it the usual way.
std::optional<Rgb32Picture> decodeJpegEighth(QByteArrayView bytes, int threads);

} // namespace quorbell::album
