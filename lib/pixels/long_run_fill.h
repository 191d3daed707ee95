// The stores for runs of pixels longer than four 16-byte stores cover and
// shorter than the processor's string store pays for (17 to 8191 pixels): a
// box's rows, a disc's or a triangle's spans. They take the widest vector
// stores the processor has, AVX-512, AVX2 or SSE2, chosen once at run time as
// memset chooses its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kelto {

using PixelRunFill = void (*)(uint32_t *first, std::size_t count, uint32_t color);

// The shortest run the long-run fills take.
inline constexpr std::size_t kLongRunMinimum = 17;

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
