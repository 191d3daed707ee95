// KELTO_gets: the template it builds, byte for byte, and the line the user
// types into the dialog arriving in the caller's buffer, driven through the
// headless display while the dialog runs.
#include "console/gets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "console/console.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "support/kelto_fixture.h"

using namespace kelto;
using namespace kelto::console;
using namespace kelto::platform;

namespace {

uint16_t u16_at(const GetsTemplate &t, size_t at) {
    return static_cast<uint16_t>(t[at] | (t[at + 1] << 8));
}
uint32_t u32_at(const GetsTemplate &t, size_t at) {
    return u16_at(t, at) | (static_cast<uint32_t>(u16_at(t, at + 2)) << 16);
}
std::u16string text_at(const GetsTemplate &t, size_t at) {
    std::u16string s;
    for (; u16_at(t, at) != 0; at += 2) s.push_back(u16_at(t, at));
    return s;
}

// The static prompt text of the template built for `prompt`.
std::u16string prompt_text(const char *prompt) {
    const GetsTemplate bytes = build_gets_template(prompt);
    const auto parsed = parse_dialog_template(bytes);
    if (!parsed || parsed->items.size() != 3) return u"<unreadable>";
    return parsed->items[2].text;
}

struct ItemLayout {
    size_t offset;
    uint32_t style;
    int x, y, cx, cy, id;
    uint16_t class_ordinal;
    std::u16string text;
};

TEST(GetsTemplate, HeaderAndItemsInThePlatformLayout) {
    const GetsTemplate t = build_gets_template("Your name?");
    EXPECT_EQ(u32_at(t, 0), 0x90C80080u);  // pop-up, visible, caption, system menu, modal frame
    EXPECT_EQ(u32_at(t, 4), 0u);
    EXPECT_EQ(u16_at(t, 8), 3);
    EXPECT_EQ(u16_at(t, 10), 50);
    EXPECT_EQ(u16_at(t, 12), 50);
    EXPECT_EQ(u16_at(t, 14), 185);
    EXPECT_EQ(u16_at(t, 16), 92);
    EXPECT_EQ(u16_at(t, 18), 0);  // no menu
    EXPECT_EQ(u16_at(t, 20), 0);  // the predefined dialog class
    EXPECT_EQ(text_at(t, 22), u"KELTO_gets");

    std::u16string prompt = u"Your name?";
    prompt.resize(79, u' ');
    const ItemLayout items[] = {
        {44, 0x50810044, 8, 30, 167, 37, 102, 0x0081, u""},
        {72, 0x50010001, 67, 74, 50, 14, 101, 0x0080, u"Okay"},
        {108, 0x50020000, 8, 3, 167, 24, 103, 0x0082, prompt},
    };
    for (const ItemLayout &item : items) {
        SCOPED_TRACE(item.id);
        const size_t at = item.offset;
        EXPECT_EQ(at % 4, 0u);
        EXPECT_EQ(u32_at(t, at), item.style);
        EXPECT_EQ(u32_at(t, at + 4), 0u);
        EXPECT_EQ(u16_at(t, at + 8), item.x);
        EXPECT_EQ(u16_at(t, at + 10), item.y);
        EXPECT_EQ(u16_at(t, at + 12), item.cx);
        EXPECT_EQ(u16_at(t, at + 14), item.cy);
        EXPECT_EQ(u16_at(t, at + 16), item.id);
        EXPECT_EQ(u16_at(t, at + 18), 0xFFFF);
        EXPECT_EQ(u16_at(t, at + 20), item.class_ordinal);
        EXPECT_EQ(text_at(t, at + 22), item.text);
        EXPECT_EQ(u16_at(t, at + 22 + 2 * (item.text.size() + 1)), 0);  // no creation data
    }
    // The prompt item, its 79 units, zero and creation-data count fill the buffer exactly.
    EXPECT_EQ(108 + 22 + 2 * 80 + 2, 292);
    EXPECT_EQ(u16_at(t, 42), 0);  // zero padding before the first item
    EXPECT_EQ(u16_at(t, 70), 0);
}

TEST(GetsTemplate, ThePromptIsFittedToExactly79Characters) {
    const std::string long_prompt(100, 'x');
    EXPECT_EQ(prompt_text(long_prompt.c_str()), std::u16string(79, u'x'));
    EXPECT_EQ(prompt_text("abc"), u"abc" + std::u16string(76, u' '));
    EXPECT_EQ(prompt_text(""), std::u16string(79, u' '));
    EXPECT_EQ(prompt_text(nullptr), std::u16string(79, u' '));
}

TEST(GetsTemplate, PromptBytesAreReadAsWindows1252NotSignWidened) {
    EXPECT_EQ(prompt_text("caf\xE9 \x80\x96").substr(0, 7), u"caf\u00e9 \u20ac\u2013");
}

TEST(GetsTemplate, Utf8PromptsShowTheCharactersTheyName) {
    EXPECT_EQ(prompt_text("Gr\xC3\xBC\xC3\x9F"
                          "e \xE2\x82\xAC")
                  .substr(0, 8),
              u"Gr\u00fc\u00dfe \u20ac ");
    // A character beyond U+FFFF takes two of the 79 units; one that no longer
    // fits whole is left out, and so is everything after it.
    const std::string smiles = std::string(77, 'x') +
                               "\xF0\x9F\x98\x80"
                               "\xF0\x9F\x98\x80"
                               "y";
    EXPECT_EQ(prompt_text(smiles.c_str()), std::u16string(77, u'x') + u"\U0001F600");
    const std::string late = std::string(78, 'x') +
                             "\xF0\x9F\x98\x80"
                             "y";
    EXPECT_EQ(prompt_text(late.c_str()), std::u16string(78, u'x') + u" ");
}

// An open library on the headless display, with the dialog driven by
// actions that run at set times of virtual time while it is up.
class GetsTest : public kelto::test::KeltoFixture {
protected:
    void SetUp() override {
        KeltoFixture::SetUp();
        // A dialog still up after a minute is a failure, not a hang.
        display->after(60'000, [this] {
            if (display->dialog() == 0) return;
            ADD_FAILURE() << "the dialog did not end";
            platform::window_system().end_dialog(display->dialog(), 1);
        });
    }

    void at(int64_t at_ms, std::function<void(WindowHandle)> action) {
        display->after(at_ms, [this, action] { action(display->dialog()); });
    }
};

TEST(GetsClosed, BeforeOpenNoDialogRunsAndTheBufferIsUntouched) {
    platform::use_headless_display();
    char buffer[256] = "keep me";
    EXPECT_EQ(KELTO_gets("Name?", buffer), 0);
    EXPECT_STREQ(buffer, "keep me");
}

TEST_F(GetsTest, TheDialogIsOwnedByTheGraphicsWindowAndShowsThePrompt) {
    at(1000, [&](WindowHandle dialog) {
        ASSERT_NE(dialog, 0);
        const Window *window = platform::window_system().find(dialog);
        const Dialog *state = platform::window_system().dialog(dialog);
        ASSERT_TRUE(window && state);
        EXPECT_EQ(window->title, "KELTO_gets");
        EXPECT_EQ(window->owner, graphics);
        EXPECT_EQ(state->items[2].control.text.substr(0, 6), u"Name? ");
        EXPECT_EQ(state->items[2].control.units, (Rect{8, 3, 175, 27}));
        EXPECT_EQ(state->items[1].control.text, u"Okay");
        EXPECT_EQ(state->focus, 0);  // the edit field
        EXPECT_EQ(window->client, (Rect{0, 0, 370, 184}));
        display->key(dialog, VK_RETURN);
    });
    char buffer[256];
    EXPECT_EQ(KELTO_gets("Name?", buffer), 1);
    EXPECT_EQ(console::state().input_buffer, buffer);
}

TEST_F(GetsTest, EnterEndsTheDialogWithTheTypedText) {
    at(1000, [&](WindowHandle dialog) {
        display->type_text(dialog, u"Ada Lovelace");
        display->key(dialog, VK_RETURN);
    });
    char buffer[256] = "old";
    EXPECT_EQ(KELTO_gets("Name?", buffer), 1);
    EXPECT_STREQ(buffer, "Ada Lovelace");
}

TEST_F(GetsTest, AnEmptyFieldStoresAnEmptyString) {
    at(1000, [&](WindowHandle dialog) { display->press_dialog_button(dialog, GETS_OKAY); });
    char buffer[256] = "old";
    EXPECT_EQ(KELTO_gets("", buffer), 1);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'l');  // only the one zero byte was written
}

TEST_F(GetsTest, ALongLineIsCutTo255CharactersAndAZero) {
    std::u16string typed;
    for (int i = 0; i < 300; ++i) typed.push_back(static_cast<char16_t>('a' + i % 26));
    at(1000, [&](WindowHandle dialog) {
        display->type_text(dialog, typed);
        display->press_dialog_button(dialog, GETS_OKAY);
    });
    char buffer[300];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(KELTO_gets("Type a lot", buffer), 1);
    EXPECT_EQ(std::strlen(buffer), 255u);
    EXPECT_EQ(buffer[254], static_cast<char>('a' + 254 % 26));
    EXPECT_EQ(buffer[256], '#');  // nothing beyond the 256 bytes
}

TEST_F(GetsTest, EscapeTheCloseBoxAndAltF4LeaveTheDialogOpen) {
    at(1000, [&](WindowHandle dialog) {
        display->type_text(dialog, u"still here");
        display->key(dialog, VK_ESCAPE);
        display->close_box(dialog);
        display->key_down(dialog, VK_MENU);
        display->key(dialog, VK_F4);
        display->key_up(dialog, VK_MENU);
    });
    at(2000, [&](WindowHandle dialog) {
        EXPECT_TRUE(platform::window_system().is_window(dialog));
        display->key(dialog, VK_RETURN);
    });
    char buffer[256] = "old";
    EXPECT_EQ(KELTO_gets("Name?", buffer), 1);
    EXPECT_STREQ(buffer, "still here");
}

TEST_F(GetsTest, TypedTextComesBackAsWindows1252WithQuestionMarksForTheRest) {
    at(1000, [&](WindowHandle dialog) {
        display->type_text(dialog, u"caf\u00e9 \u20ac\u2013 \u4e2d\U0001F600.");
        display->key(dialog, VK_RETURN);
    });
    char buffer[256];
    EXPECT_EQ(KELTO_gets("Name?", buffer), 1);
    EXPECT_STREQ(buffer, "caf\xE9 \x80\x96 ??.");
}

TEST_F(GetsTest, TheGraphicsWindowRepaintsWhileTheDialogIsUp) {
    at(1000, [&](WindowHandle) {
        events::surface().image().at(20, 30) = 0x123456;
        platform::window_system().invalidate(graphics);
    });
    at(1500, [&](WindowHandle dialog) {
        EXPECT_EQ(platform::window_system().client_image(graphics)->at(20, 30), 0x123456u);
        EXPECT_FALSE(events::surface().changed());
        display->key(dialog, VK_RETURN);
    });
    char buffer[256];
    EXPECT_EQ(KELTO_gets("Name?", buffer), 1);
}

TEST_F(GetsTest, CtrlQInTheTextWindowEndsTheDialogAndTheQuitReachesTheProgram) {
    at(1000, [&](WindowHandle dialog) {
        display->type_text(dialog, u"half");
        // Ctrl+Q in the text window reaches the graphics window and quits.
        const WindowHandle text = console::state().text_window;
        display->key_down(text, VK_CONTROL);
        display->key(text, 'Q', 'q');
        display->key_up(text, VK_CONTROL);
    });
    char buffer[256] = "old";
    EXPECT_EQ(KELTO_gets("Name?", buffer), 1);
    EXPECT_STREQ(buffer, "old");
    EXPECT_EQ(display->dialog(), 0);
    int x = 1, y = 1;
    char key = 1;
    EXPECT_EQ(KELTO_await_event(&x, &y, &key), KELTO_QUIT);
}

TEST_F(GetsTest, ANullBufferIsRefusedWithAConsoleLine) {
    const size_t lines_before = console::console_lines().size();
    EXPECT_EQ(KELTO_gets("Name?", nullptr), 0);
    EXPECT_EQ(display->dialog(), 0);
    const auto lines = console::console_lines();
    ASSERT_EQ(lines.size(), lines_before + 1);
    EXPECT_NE(lines.back().find("KELTO_gets"), std::string::npos);
}

}  // namespace
