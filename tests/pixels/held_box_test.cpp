// A held box: whatever boxes come and however they overlap, the image once
// written is the image of every box filled in turn, and a copy taken at any
// point of the run, with the held box added, shows the same.
#include "pixels/held_box.h"

#include <gtest/gtest.h>

#include <random>

namespace kelto {
namespace {

constexpr int kWidth = 61, kHeight = 37;

// A box of the image, clipped as a drawing call's is; sometimes empty.
Rect random_box(std::mt19937 &random) {
    std::uniform_int_distribution<int> x(-5, kWidth + 5), y(-5, kHeight + 5);
    int left = x(random), right = x(random), top = y(random), bottom = y(random);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return {std::clamp(left, 0, kWidth), std::clamp(top, 0, kHeight), std::clamp(right, 0, kWidth),
            std::clamp(bottom, 0, kHeight)};
}

// An image whose every pixel differs, so that a pixel left unwritten shows.
Image numbered() {
    Image image(kWidth, kHeight);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<uint32_t>(0x01000000u + i);
    return image;
}

TEST(HeldBox, RunsOfBoxesEndAsTheyWouldFilledInTurn) {
    std::mt19937 random(26);
    for (int run = 0; run < 400; ++run) {
        Image eager = numbered(), held_image = numbered();
        HeldBox held;
        const int boxes = 1 + run % 6;
        for (int i = 0; i < boxes; ++i) {
            // Nested boxes (a card on its background, whole rows or not) as
            // well as random ones.
            Rect box = random_box(random);
            if (i == 0 && run % 2 == 0) box.left = 0, box.right = kWidth;
            if (i > 0 && run % 3 == 0)
                box = {box.left / 2 + 3, box.top / 2 + 3, box.right, box.bottom};
            const uint32_t color = 0xA0 + static_cast<uint32_t>(i);
            fill_rect(eager, box.left, box.top, box.right, box.bottom, color);
            held.hold(held_image, box, color);

            // A copy taken now, with the held box added, is the eager image.
            Image copy = held_image;
            held.overlay(copy);
            ASSERT_EQ(copy.pixels, eager.pixels) << "run " << run << " box " << i;
        }
        held.write(held_image);
        ASSERT_EQ(held_image.pixels, eager.pixels) << "run " << run;
        // Written once: writing again or overlaying changes nothing.
        held.write(held_image);
        Image copy = held_image;
        held.overlay(copy);
        EXPECT_EQ(copy.pixels, eager.pixels);
    }
}

TEST(HeldBox, AnEmptyBoxKeepsTheHeldOneAndADroppedOneIsNeverWritten) {
    Image image = numbered();
    const Image before = image;
    HeldBox held;
    held.hold(image, {2, 3, 20, 10}, 7);
    held.hold(image, {5, 5, 5, 9}, 8);  // no columns
    EXPECT_EQ(image.pixels, before.pixels) << "nothing is written while the box is held";
    held.write(image);
    EXPECT_EQ(image.at(2, 3), 7u);
    EXPECT_EQ(image.at(19, 9), 7u);
    EXPECT_EQ(image.at(20, 9), before.at(20, 9));

    Image fresh = numbered();
    held.hold(fresh, {0, 0, kWidth, kHeight}, 9);
    held.drop();
    held.write(fresh);
    EXPECT_EQ(fresh.pixels, before.pixels);
}

TEST(HeldBox, ACopySmallerThanTheImageTakesItsPartOfTheBox) {
    Image image = numbered();
    HeldBox held;
    held.hold(image, {10, 10, kWidth, kHeight}, 5);
    Image part(20, 15);
    held.overlay(part);
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x)
            EXPECT_EQ(part.at(x, y), x >= 10 && y >= 10 ? 5u : 0u) << x << "," << y;
}

}  // namespace
}  // namespace kelto
