// PNG pictures written without allocating and with write(2) alone, so that
// a signal handler may write one: the pixels go into stored (uncompressed)
// deflate blocks, one per row. Larger than libpng's files, but valid PNG.
#pragma once

#include "pixels/image.h"

namespace kelto::replay {

// The widest image written; wider ones are refused.
constexpr int kStoredPngMaxWidth = 4096;

// Makes the CRC table; call once before any signal can need it.
void prepare_stored_png();

// Writes `image` as an 8-bit RGB PNG to the open file `descriptor`;
// false if a write fails or the image is too wide. Async-signal-safe.
bool write_stored_png(int descriptor, const Image &image);

}  // namespace kelto::replay
