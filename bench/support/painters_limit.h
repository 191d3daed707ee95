// The limit for a painter's-order renderer on the card frame: each call's
// pixels written once. Every call of the frame is drawn alone through KELTO
// onto a surface holding a colour no call can write, and the pixels it
// changed are counted; the limit is the time of a fill of that many bytes,
// timed in the same run on the baseline's image, as memset would write them.
// The pixels are also kept as the runs they form on their rows, for the
// floor of the frame's runs (support/runs_floor.h).
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "draw/surface.h"
#include "events/events.h"
#include "kelto.h"
#include "support/card_frame.h"
#include "support/fill_baseline.h"

namespace kelto::bench {

inline constexpr const char *kPaintersLimit = "painters_order_limit";

// A run of pixels a call writes: `count` pixels from `offset` in the image.
struct PixelRun {
    std::size_t offset;
    std::size_t count;
};

// The pixels the frame's calls write, as each call's lone pixels (a thin
// line's steps, mostly) and its runs of two or more on their rows, call by
// call: call i's are those before its ends.
struct FrameRuns {
    struct CallEnds {
        std::size_t lone_end;
        std::size_t run_end;
    };
    std::vector<std::size_t> lone;
    std::vector<PixelRun> runs;
    std::vector<CallEnds> calls;
    std::size_t image_pixels = 0;  // of the image the offsets are in

    std::size_t pixel_count() const {
        std::size_t pixels = lone.size();
        for (const PixelRun &run : runs) pixels += run.count;
        return pixels;
    }
};

// A painter for CardFrame that makes KELTO's own calls, as the card designer
// does; with counting on, it also keeps the pixels each call writes.
class KeltoCallPainter {
public:
    explicit KeltoCallPainter(bool counting) : counting_(counting) {}

    void box(int color, int x1, int y1, int x2, int y2, int width) {
        call([&] { KELTO_rectangle(color, x1, y1, x2, y2, width); });
    }
    void disc(int color, int x, int y, int radius) {
        call([&] { KELTO_circle(color, x, y, radius); });
    }
    void triangle(int color, FramePoint a, FramePoint b, FramePoint c) {
        call([&] { KELTO_triangle(color, a.x, a.y, b.x, b.y, c.x, c.y, 0); });
    }
    void line(int color, int x1, int y1, int x2, int y2, int width) {
        call([&] { KELTO_line(color, x1, y1, x2, y2, width); });
    }
    void text(int color, int x, int y, int size, const char *string) {
        call([&] { KELTO_text_printf(color, x, y, size, "%s", string); });
    }

    // The pixels the calls wrote, call by call, each row's from the left.
    const FrameRuns &runs() const { return runs_; }

private:
    // Palette colours have a zero top byte, so no call writes this one.
    static constexpr uint32_t kUnwritten = 0xFF000000u;

    template <class Call>
    void call(Call &&draw) {
        if (!counting_) {
            draw();
            return;
        }
        std::vector<uint32_t> &pixels = events::surface().image().pixels;
        std::fill(pixels.begin(), pixels.end(), kUnwritten);
        draw();
        // Reading the image writes a box the surface holds back.
        const std::vector<uint32_t> &drawn = events::surface().image().pixels;
        const std::size_t width = static_cast<std::size_t>(events::surface().width());
        for (std::size_t at = 0; at < drawn.size();) {
            if (drawn[at] == kUnwritten) {
                ++at;
                continue;
            }
            const std::size_t row_end = (at / width + 1) * width;
            std::size_t end = at + 1;
            while (end < row_end && drawn[end] != kUnwritten) ++end;
            if (end - at == 1)
                runs_.lone.push_back(at);
            else
                runs_.runs.push_back({at, end - at});
            at = end;
        }
        runs_.calls.push_back({runs_.lone.size(), runs_.runs.size()});
        runs_.image_pixels = drawn.size();
    }

    bool counting_;
    FrameRuns runs_;
};

// The pixels the frame's calls write, each call's found alone. Draws on the
// surface, which it leaves holding garbage.
inline FrameRuns frame_runs(CardModel model) {
    KeltoCallPainter counter(true);
    draw_card_frame(counter, model);
    return counter.runs();
}

// Whether CardFrame makes the calls the card designer makes: both draw the
// frame of `model` on the surface and the pixels are compared.
template <class DrawFrame>
bool frame_matches_card_designer(const CardModel &model, DrawFrame draw_designer_frame) {
    std::vector<uint32_t> &pixels = events::surface().image().pixels;
    CardModel designer_model = model, frame_model = model;
    std::fill(pixels.begin(), pixels.end(), 0u);
    draw_designer_frame(designer_model);
    const std::vector<uint32_t> designer_pixels = events::surface().image().pixels;
    std::fill(pixels.begin(), pixels.end(), 0u);
    KeltoCallPainter painter(false);
    draw_card_frame(painter, frame_model);
    return events::surface().image().pixels == designer_pixels;
}

// Registers the limit's fill of `pixel_count` pixels' bytes: whole fills of
// the baseline image and one partial fill, with memset.
inline void register_painters_limit(std::size_t pixel_count) {
    benchmark::RegisterBenchmark(kPaintersLimit, [pixel_count](benchmark::State &state) {
        Image &image = baseline_image();
        const std::size_t whole = image.pixels.size();
        int byte = 0;
        for (auto _ : state) {
            for (std::size_t left = pixel_count; left > 0;) {
                const std::size_t count = std::min(left, whole);
                std::memset(image.pixels.data(), byte++ & 0xFF, count * sizeof(uint32_t));
                left -= count;
            }
            benchmark::DoNotOptimize(image.pixels.data());
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond);
}

}  // namespace kelto::bench
