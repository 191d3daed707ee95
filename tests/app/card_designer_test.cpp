// End-to-end test of the card designer: its main routine runs on the
// headless display, input is injected at set times on the virtual clock, and
// the picture is read back from the surface and the graphics window.
#include "card_designer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kMagenta = 0xFF00FF;
// Not a colour: what Frame::at reports for a point off the image.
constexpr uint32_t kOutside = 0xFF000000;

// A copy of the picture with the origin it was drawn under.
struct Frame {
    kelto::Image image;
    int origin_x = 0;
    int origin_y = 0;

    // The pixel at program point (x, y), or kOutside beyond the image.
    uint32_t at(int x, int y) const {
        const int column = origin_x + x;
        const int row = origin_y - y;
        return image.contains(column, row) ? image.at(column, row) : kOutside;
    }

    // How many pixels of exactly `color` lie in the box x0..x1, y0..y1.
    int count(uint32_t color, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) n += at(x, y) == color;
        }
        return n;
    }
};

Frame snapshot(const kelto::Image &image) {
    const kelto::draw::Surface &surface = kelto::events::surface();
    return Frame{image, surface.origin_x(), surface.origin_y()};
}

// The status line's glyphs stand in the rows just above y = -190.
int status_pixels(const Frame &frame, uint32_t color) {
    return frame.count(color, -140, -189, 200, -172);
}

void expect_card_of(const Frame &frame, uint32_t color) {
    EXPECT_EQ(frame.at(-140, -150), color);
    EXPECT_EQ(frame.at(220, 200), color);
    EXPECT_EQ(frame.at(150, -100), color);
    EXPECT_EQ(frame.at(-141, 0), kWhite);
    EXPECT_EQ(frame.at(221, 0), kWhite);
    EXPECT_EQ(frame.at(0, 201), kWhite);
    EXPECT_EQ(frame.at(0, -151), kWhite);
}

void expect_button_outlines(const Frame &frame) {
    for (int i = 0; i < 6; ++i) {
        const int b = 250 - 35 * i;
        EXPECT_EQ(frame.at(-296, b - 20), kBlack) << "button " << i;
        EXPECT_EQ(frame.at(-200, b - 30), kBlack) << "button " << i;
        // The top of the first button (y 248) lies above the window's client area.
        if (frame.at(-250, b - 2) != kOutside) {
            EXPECT_EQ(frame.at(-250, b - 2), kBlack) << "button " << i;
        }
        EXPECT_EQ(frame.at(-250, b - 37), kBlack) << "button " << i;
        EXPECT_EQ(frame.at(-297, b - 20), kWhite) << "button " << i;
        EXPECT_EQ(frame.at(-199, b - 30), kWhite) << "button " << i;
    }
}

TEST(CardDesigner, DrawsTheCardFollowsClicksAndEndsAtTheCloseBox) {
    kelto::platform::HeadlessDisplay &display = kelto::platform::use_headless_display();
    kelto::events::EventState &state = kelto::events::state();
    const auto click_at = [&](int x, int y) {
        display.click(state.graphics_window, state.surface.origin_x() + x,
                      state.surface.origin_y() - y);
    };

    std::optional<Frame> first, after_card_click, on_screen, after_panel_click;
    // Timer ticks fall at every 100 ms; the injections fall between them.
    display.after(10, [&] { first = snapshot(state.surface.image()); });
    display.after(50, [&] { click_at(0, 0); });
    display.after(120, [&] {
        after_card_click = snapshot(state.surface.image());
        on_screen = snapshot(*display.client_image(state.graphics_window));
    });
    display.after(150, [&] { click_at(-250, 230); });
    display.after(180, [&] { after_panel_click = snapshot(state.surface.image()); });
    display.after(190, [&] { display.close_box(state.graphics_window); });
    display.after(5000, [&] {
        ADD_FAILURE() << "the close box did not end the program";
        KELTO_run_control(RUN_QUIT);
    });

    char command_line[] = "";
    static int instance = 0;
    EXPECT_EQ(card_designer_main(&instance, nullptr, command_line, 1), 0);

    ASSERT_TRUE(first && after_card_click && on_screen && after_panel_click);
    // The opening frame: an empty yellow card, the black status line, the panel.
    expect_card_of(*first, kYellow);
    EXPECT_EQ(first->at(0, 0), kYellow);
    EXPECT_GT(status_pixels(*first, kBlack), 20);
    EXPECT_EQ(status_pixels(*first, kRed), 0);
    expect_button_outlines(*first);

    // The click placed a black heart there and selected it: red status line.
    expect_card_of(*after_card_click, kYellow);
    EXPECT_EQ(after_card_click->at(0, 0), kBlack);
    EXPECT_EQ(after_card_click->at(0, -10), kBlack);
    EXPECT_EQ(after_card_click->at(0, 25), kYellow);
    EXPECT_EQ(after_card_click->at(0, -50), kYellow);
    EXPECT_GT(status_pixels(*after_card_click, kRed), 20);
    EXPECT_EQ(status_pixels(*after_card_click, kBlack), 0);
    expect_button_outlines(*after_card_click);

    // The window shows the surface.
    expect_card_of(*on_screen, kYellow);
    EXPECT_EQ(on_screen->at(0, 0), kBlack);

    // "Background color" turned the card magenta; the selection stays.
    expect_card_of(*after_panel_click, kMagenta);
    EXPECT_EQ(after_panel_click->at(0, 0), kBlack);
    EXPECT_GT(status_pixels(*after_panel_click, kRed), 20);

    // Valid drawing calls with logging off print nothing.
    EXPECT_TRUE(kelto::console::console_lines().empty());
}

}  // namespace
