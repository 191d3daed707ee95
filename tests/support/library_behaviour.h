// What a program and its user see of the library, whichever display shows
// it: one test body per behaviour, run over every display by a typed suite.
// A display's test file supplies a driver that performs the user's actions on
// it and reads back what it shows, and instantiates the suite with it:
//
//   struct Driver {
//       void open();                              // KELTO_open on the display
//       void click(int x, int y);                 // centred coordinates
//       void key(Target, char letter);            // types a lower-case letter
//       void ctrl_key(Target, char letter, bool shift);
//       void menu(int command);                   // a "&Run" menu item
//       void close_box();                         // of the graphics window
//       bool checked(int command);                // as the menu shows it
//       int checked_count();
//       Image shown();                            // the graphics window's client area
//       void during_dialog(std::function<void()>);
//       void type_into_dialog(const char *text);
//       void enter_in_dialog();
//   };
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "events/events.h"
#include "events/graphics_window.h"
#include "kelto.h"
#include "pixels/image.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/awaited_event.h"

namespace kelto::test {

// The library window that receives a key.
enum class Target { Graphics, Text };

template <class Driver>
class LibraryBehaviour : public ::testing::Test {
protected:
    void SetUp() override { driver.open(); }

    // Lets everything the user did so far act, by waiting for a click queued behind it.
    void settle() {
        driver.click(0, 0);
        while (await_event().kind != KELTO_MOUSE) {
        }
    }

    Driver driver;
};

TYPED_TEST_SUITE_P(LibraryBehaviour);

TYPED_TEST_P(LibraryBehaviour, ClicksGiveCentredCoordinatesWithYGrowingUpwards) {
    this->driver.click(0, 0);
    Event event = await_event();
    EXPECT_EQ(event.kind, KELTO_MOUSE);
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
    EXPECT_EQ(event.key, 0);
    this->driver.click(10, 20);
    event = await_event();
    EXPECT_EQ(event.kind, KELTO_MOUSE);
    EXPECT_EQ(event.x, 10);
    EXPECT_EQ(event.y, 20);
}

TYPED_TEST_P(LibraryBehaviour, CtrlAWithOrWithoutShiftAndTheMenuAnimate) {
    for (const bool shift : {false, true}) {
        KELTO_run_control(RUN_HALT);
        this->driver.ctrl_key(Target::Graphics, 'a', shift);
        this->settle();
        EXPECT_TRUE(events::state().animating) << "shift " << shift;
    }
    KELTO_run_control(RUN_HALT);
    this->driver.menu(events::CMD_ANIMATE);
    this->settle();
    EXPECT_TRUE(events::state().animating);
}

TYPED_TEST_P(LibraryBehaviour, APlainLetterIsAKeyEventAndChangesNoState) {
    this->driver.key(Target::Graphics, 'a');
    const Event event = await_event();
    EXPECT_EQ(event.kind, KELTO_KBD);
    EXPECT_EQ(event.key, 'a');
    EXPECT_EQ(event.x, 0);
    EXPECT_FALSE(events::state().animating);
}

TYPED_TEST_P(LibraryBehaviour, KeysTypedIntoTheTextWindowReachTheGraphicsWindow) {
    this->driver.key(Target::Text, 'b');
    const Event event = await_event();
    EXPECT_EQ(event.kind, KELTO_KBD);
    EXPECT_EQ(event.key, 'b');
    KELTO_run_control(RUN_ANIMATE);
    this->driver.ctrl_key(Target::Text, 'h', false);
    // The text window hands keys on by posting them, behind a first settling click.
    this->settle();
    this->settle();
    EXPECT_FALSE(events::state().animating);
}

TYPED_TEST_P(LibraryBehaviour, TheLoggingCheckMarkFollowsTheSwitchAndCtrlL) {
    EXPECT_TRUE(this->driver.checked(events::CMD_LOGGING));
    KELTO_logging(0);
    EXPECT_FALSE(this->driver.checked(events::CMD_LOGGING));
    this->driver.ctrl_key(Target::Graphics, 'l', false);
    this->settle();
    EXPECT_TRUE(this->driver.checked(events::CMD_LOGGING));
    EXPECT_EQ(this->driver.checked_count(), 1);
}

TYPED_TEST_P(LibraryBehaviour, TheWindowShowsTheSurfaceAfterAWait) {
    Image &surface = events::surface().image();
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x)
            surface.at(x, y) = static_cast<uint32_t>(x * 0x010203 + y * 0x030100) & 0xFFFFFF;
    events::surface().mark_all_changed();
    this->settle();
    const Image shown = this->driver.shown();
    ASSERT_GT(shown.width, 0);
    ASSERT_LE(shown.width, surface.width);
    ASSERT_LE(shown.height, surface.height);
    int wrong = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) wrong += shown.at(x, y) != surface.at(x, y);
    EXPECT_EQ(wrong, 0);
}

TYPED_TEST_P(LibraryBehaviour, TheCloseBoxEndsTheProgram) {
    this->driver.close_box();
    EXPECT_EQ(await_event().kind, KELTO_QUIT);
    EXPECT_FALSE(platform::window_system().is_window(events::state().graphics_window));
    // A program that waits again anyway is not left hanging without a window.
    KELTO_run_control(RUN_ANIMATE);
    EXPECT_EQ(await_event().kind, KELTO_QUIT);
}

TYPED_TEST_P(LibraryBehaviour, TheLineInputTakesTheKeysAndItsOwnerNoInput) {
    this->driver.during_dialog([this] {
        this->driver.click(0, 0);
        this->driver.close_box();
        this->driver.type_into_dialog("Hi");
        this->driver.enter_in_dialog();
    });
    char line[256] = "unchanged";
    EXPECT_EQ(KELTO_gets("Name?", line), 1);
    EXPECT_STREQ(line, "Hi");
    // Neither the click nor the close box reached the graphics window.
    this->driver.key(Target::Graphics, 'z');
    const Event event = await_event();
    EXPECT_EQ(event.kind, KELTO_KBD);
    EXPECT_EQ(event.key, 'z');
}

REGISTER_TYPED_TEST_SUITE_P(LibraryBehaviour, ClicksGiveCentredCoordinatesWithYGrowingUpwards,
                            CtrlAWithOrWithoutShiftAndTheMenuAnimate,
                            APlainLetterIsAKeyEventAndChangesNoState,
                            KeysTypedIntoTheTextWindowReachTheGraphicsWindow,
                            TheLoggingCheckMarkFollowsTheSwitchAndCtrlL,
                            TheWindowShowsTheSurfaceAfterAWait, TheCloseBoxEndsTheProgram,
                            TheLineInputTakesTheKeysAndItsOwnerNoInput);

}  // namespace kelto::test
