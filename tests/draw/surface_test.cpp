// The surface as one object: what drawing marks as changed is what the wait
// takes to show, once; before it has an image it is still marked; making
// its image counts all of it as changed and keeps the origin.
#include "draw/surface.h"

#include <gtest/gtest.h>

#include <random>

#include "draw/draw_record.h"

namespace kelto::draw {
namespace {

TEST(Surface, TheChangedPartGrowsWithEachMarkAndIsTakenOnce) {
    Surface surface;
    surface.create(601, 540);
    EXPECT_TRUE(surface.changed());
    EXPECT_EQ(surface.take_changed(), (Rect{0, 0, 601, 540}));
    EXPECT_FALSE(surface.changed());
    EXPECT_TRUE(surface.take_changed().empty());

    surface.mark_changed({10, 20, 30, 40});
    surface.mark_changed({5, 30, 12, 60});
    surface.mark_changed({12, 25, 20, 35});  // inside: nothing grows
    EXPECT_EQ(surface.changed_area(), (Rect{5, 20, 30, 60}));
    EXPECT_EQ(surface.take_changed(), (Rect{5, 20, 30, 60}));

    // Drawing that touched nothing still counts as a change, of no pixels.
    surface.mark_changed({});
    EXPECT_TRUE(surface.changed());
    EXPECT_TRUE(surface.take_changed().empty());
}

TEST(Surface, WithoutAnImageItIsMarkedButNothingIsDrawn) {
    Surface surface;
    surface.set_origin(297, 245);
    surface.take_changed();
    DrawRecord box;
    box.kind = DRAW_RECTANGLE;
    box.points[0] = {-10, 10};
    box.points[1] = {10, -10};
    render(surface, box);
    DrawRecord pixel;
    pixel.points[0] = {0, 0};
    render(surface, pixel);
    EXPECT_TRUE(surface.changed());
    EXPECT_TRUE(surface.take_changed().empty());
    EXPECT_TRUE(surface.image().pixels.empty());

    surface.create(601, 540);
    EXPECT_EQ(surface.origin_x(), 297) << "making the image keeps the origin";
    EXPECT_EQ(surface.origin_y(), 245);
    render(surface, pixel);
    EXPECT_EQ(surface.image().at(297, 245), palette_value(pixel.color));
}

TEST(Surface, RenderingMarksThePartTheRecordReaches) {
    Surface surface;
    surface.create(601, 540);
    surface.set_origin(300, 250);
    surface.take_changed();
    DrawRecord line;
    line.kind = DRAW_LINE;
    line.width = 5;
    line.color = 2;  // red on the black of a new image
    line.points[0] = {-20, 0};
    line.points[1] = {20, 10};
    render(surface, line);
    const Rect area = surface.take_changed();
    // Every pixel the line set lies in the marked part.
    int drawn = 0;
    for (int y = 0; y < surface.image().height; ++y) {
        for (int x = 0; x < surface.image().width; ++x) {
            if (surface.image().at(x, y) == 0) continue;
            ++drawn;
            EXPECT_TRUE(x >= area.left && x < area.right && y >= area.top && y < area.bottom)
                << x << "," << y;
        }
    }
    EXPECT_GT(drawn, 40);
    EXPECT_LE(area.width(), 40 + 2 * 4);
}

// Filled boxes may be held back from the image; every other record, every
// look at the image and every box after them see what drawing each record
// in turn onto a plain canvas gives.
TEST(Surface, MixedRecordsDrawAsOnAPlainCanvasWhereverTheImageIsRead) {
    std::mt19937 random(601);
    std::uniform_int_distribution<int> coordinate(-320, 320), kind(0, 5), color(0, 23);
    for (int run = 0; run < 60; ++run) {
        Surface surface;
        surface.create(601, 540);
        surface.set_origin(300, 250);
        Image plain(601, 540);
        const Canvas canvas{&plain, 300, 250};
        for (int i = 0; i < 12; ++i) {
            DrawRecord record;
            // Mostly filled boxes, so that boxes follow boxes, and a box's
            // outline now and then.
            static constexpr DrawKind kKinds[] = {DRAW_TRIANGLE, DRAW_OVAL,      DRAW_LINE,
                                                  DRAW_PIXEL,    DRAW_RECTANGLE, DRAW_RECTANGLE};
            record.kind = kKinds[kind(random)];
            record.width =
                record.kind == DRAW_LINE || (record.kind == DRAW_RECTANGLE && i % 4 == 3);
            record.color = color(random);
            for (Point &p : record.points) p = {coordinate(random), coordinate(random)};
            render(surface, record);
            render_record(canvas, record);
            if (i % 5 == 4) {
                ASSERT_EQ(surface.image().pixels, plain.pixels) << run << "/" << i;
            }
        }
        ASSERT_EQ(surface.image().pixels, plain.pixels) << "run " << run;
    }
}

}  // namespace
}  // namespace kelto::draw
