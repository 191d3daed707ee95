// Pixel fills: every run length at every alignment sets exactly its pixels,
// and rectangle fills keep to their rectangle and the image, also where a box
// nearly as wide as the image is filled as one run through its row ends.
#include "pixels/pixel_fill.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "pixels/image.h"

namespace {

using kelto::Image;

constexpr uint32_t kOld = 0x00123456;
constexpr uint32_t kNew = 0x00ABCDEF;

// The dispatching fill from an empty run up, each wide fill from the shortest
// run it takes.
TEST(PixelFill, EveryLengthAtEveryAlignmentSetsExactlyItsRun) {
    const struct {
        const char *name;
        void (*fill)(uint32_t *, std::size_t, uint32_t);
        std::size_t shortest;
    } fills[] = {{"fill_pixels", kelto::fill_pixels, 0},
                 {"fill_pixels_wide", kelto::fill_pixels_wide, kelto::kWideFillMinimum},
                 {"fill_pixels_pairs", kelto::fill_pixels_pairs, 2}};
    // Every short run, and long runs around where the wide fill changes its
    // stores. Guard pixels on both sides show a store that strays out of the run.
    std::vector<std::size_t> counts;
    for (std::size_t count = 0; count <= 150; ++count) counts.push_back(count);
    for (std::size_t count : {8191u, 8192u, 8193u, 8195u, 20000u}) counts.push_back(count);
    std::vector<uint32_t> buffer(20100);
    for (const auto &fill : fills)
        for (std::size_t offset = 0; offset < 8; ++offset)
            for (const std::size_t count : counts) {
                if (count < fill.shortest) continue;
                std::fill(buffer.begin(), buffer.end(), kOld);
                fill.fill(buffer.data() + 16 + offset, count, kNew);
                for (std::size_t i = 0; i < buffer.size(); ++i) {
                    const bool inside = i >= 16 + offset && i < 16 + offset + count;
                    ASSERT_EQ(buffer[i], inside ? kNew : kOld)
                        << fill.name << ": pixel " << i << " of a run of " << count << " at "
                        << offset;
                }
            }
}

TEST(PixelFill, RectangleFillKeepsToTheRectangleAndTheImage) {
    const struct {
        int64_t left, top, right, bottom;
    } rects[] = {{3, 2, 17, 9},    {0, 0, 21, 13}, {0, 4, 21, 7}, {-5, -5, 4, 40},
                 {20, 12, 99, 99}, {5, 5, 5, 9},   {8, 3, 2, 9},  {INT64_MIN, 1, INT64_MAX, 2}};
    for (const auto &r : rects) {
        Image img(21, 13, kOld);
        kelto::fill_rect(img, r.left, r.top, r.right, r.bottom, kNew);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                ASSERT_EQ(img.at(x, y), inside ? kNew : kOld)
                    << x << "," << y << " in " << r.left << "," << r.top << " to " << r.right << ","
                    << r.bottom;
            }
    }
}

// Every pixel starts with its own value, so that a pixel beside the box put
// back from the wrong place shows. Boxes up to a few pixels narrower than the
// image, at every place across it, over more rows than one band of the run.
TEST(PixelFill, BoxesNearlyAsWideAsTheImageKeepEveryPixelBesideThem) {
    for (const int width : {9, 16, 41})
        for (int columns = width - 10; columns < width; ++columns)
            for (int left = 0; columns > 0 && left + columns <= width; ++left)
                for (const int rows : {1, 2, 127, 128, 129, 300}) {
                    Image img(width, 310);
                    for (std::size_t i = 0; i < img.pixels.size(); ++i)
                        img.pixels[i] = static_cast<uint32_t>(i);
                    const int top = 4, bottom = top + rows;
                    kelto::fill_rect(img, left, top, left + columns, bottom, kNew);
                    for (int y = 0; y < img.height; ++y)
                        for (int x = 0; x < width; ++x) {
                            const bool inside =
                                x >= left && x < left + columns && y >= top && y < bottom;
                            ASSERT_EQ(img.at(x, y),
                                      inside ? kNew : static_cast<uint32_t>(y * width + x))
                                << x << "," << y << " beside a box of " << columns << " x " << rows
                                << " at " << left << " in an image " << width << " wide";
                        }
                }
}

}  // namespace
