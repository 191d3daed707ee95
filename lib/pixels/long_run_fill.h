// The stores for runs of pixels too long to write from both ends and too
// short for the processor's string store (65 to 8191 pixels): a box's rows,
// a large shape's spans. They take the widest vector stores the processor
// has, AVX-512, AVX2 or SSE2, chosen once at run time as memset chooses its
// own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kelto {

using PixelRunFill = void (*)(uint32_t *first, std::size_t count, uint32_t color);

// Runs this long and longer have no pixels left over for the stores from both ends.
inline constexpr std::size_t kLongRunMinimum = 65;

// Sets `count` (at least kLongRunMinimum) pixels from `first` on, with the
// widest stores this processor has.
void fill_long_run(uint32_t *first, std::size_t count, uint32_t color);

// One way of filling a long run that this build has, and whether this
// processor can run it: every one is tested where it can run.
struct LongRunFill {
    const char *name;
    PixelRunFill fill;
    bool runs_here;
};

// The long-run fills of this build, widest first.
std::span<const LongRunFill> long_run_fills();

}  // namespace kelto
