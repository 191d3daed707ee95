// Modal dialogs of the window system over the headless display: templates
// read or refused, the dialog window and its items, the keyboard and mouse
// in the dialog, the owner's messages flowing meanwhile, and how a dialog
// ends (end_dialog, a quit, its owner going away, a window lost by the display).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/headless_display.h"
#include "platform/window_system.h"
#include "support/logging_window.h"

using namespace kelto::platform;
using kelto::Rect;
using kelto::test::logging_procedure;
using kelto::test::window_log;

namespace {

constexpr uint32_t kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kEdit = 102;
constexpr int kButton = 101;
constexpr int kLabel = 103;

// Writes templates in the platform's layout, item by item.
class TemplateBuilder {
public:
    TemplateBuilder &header(uint32_t style, int items, int x, int y, int cx, int cy,
                            std::u16string_view title) {
        u32(style);
        u32(0);
        u16(items);
        for (int v : {x, y, cx, cy}) u16(v);
        u16(0);  // menu
        u16(0);  // class
        text(title);
        return *this;
    }
    TemplateBuilder &item(uint32_t style, int x, int y, int cx, int cy, int id, uint16_t ordinal,
                          std::u16string_view title) {
        while (bytes.size() % 4) bytes.push_back(0);
        u32(style);
        u32(0);
        for (int v : {x, y, cx, cy, id}) u16(v);
        u16(0xFFFF);
        u16(ordinal);
        text(title);
        u16(0);
        return *this;
    }
    void u16(int v) {
        bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    void u32(uint32_t v) {
        u16(static_cast<int>(v & 0xFFFF));
        u16(static_cast<int>(v >> 16));
    }
    void text(std::u16string_view s) {
        for (char16_t c : s) u16(c);
        u16(0);
    }
    std::vector<uint8_t> bytes;
};

// The line-input layout: an edit field, a default button and a label.
std::vector<uint8_t> line_input_template() {
    TemplateBuilder t;
    t.header(kDialogStyle, 3, 50, 50, 185, 92, u"Question");
    t.item(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE, 8, 30, 167, 37, kEdit,
           DIALOG_CLASS_EDIT, u"");
    t.item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 67, 74, 50, 14, kButton,
           DIALOG_CLASS_BUTTON, u"Okay");
    t.item(WS_CHILD | WS_VISIBLE | WS_GROUP, 8, 3, 167, 24, kLabel, DIALOG_CLASS_STATIC, u"Name?");
    return t.bytes;
}

// What the test dialog procedure saw, and how it answers.
struct Probe {
    WindowSystem *windows = nullptr;
    std::vector<Message> seen;
    bool default_focus = true;  // the answer to WM_INITDIALOG
    std::u16string text_at_end;
};
Probe *g_probe = nullptr;

intptr_t probe_procedure(WindowHandle dialog, unsigned message, uintptr_t wparam, intptr_t lparam) {
    Probe &probe = *g_probe;
    probe.seen.push_back(Message{dialog, message, wparam, lparam});
    if (message == WM_INITDIALOG) return probe.default_focus ? 1 : 0;
    if (message != WM_COMMAND) return 0;
    if (wparam != kButton) return 0;
    char16_t text[64];
    probe.windows->get_dialog_item_text(dialog, kEdit, text, 64);
    probe.text_at_end = text;
    probe.windows->end_dialog(dialog, static_cast<intptr_t>(wparam) + 1000);
    return 1;
}

class DialogTest : public kelto::test::HeadlessWindowsTest {
protected:
    void SetUp() override {
        HeadlessWindowsTest::SetUp();
        probe.windows = windows.get();
        g_probe = &probe;
        windows->register_class(WindowClass{"Owner", logging_procedure, 0, 0xFFFFFF});
        owner = windows->create_window("Owner", "owner", WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540);
        windows->show_window(owner, SW_SHOW);
        windows->set_timer(owner, 2, 100);  // keeps the virtual clock moving
    }
    void TearDown() override {
        HeadlessWindowsTest::TearDown();
        g_probe = nullptr;
    }

    // Runs `action` with the dialog at `at_ms` of virtual time.
    void at(int64_t at_ms, std::function<void(WindowHandle)> action) {
        headless->after(at_ms, [this, action] { action(headless->dialog()); });
    }

    // Runs the line-input dialog; a dialog still up after a minute is a failure.
    intptr_t run(const std::vector<uint8_t> &bytes = line_input_template()) {
        at(60'000, [this](WindowHandle dialog) {
            if (dialog == 0) return;
            ADD_FAILURE() << "the dialog did not end";
            windows->end_dialog(dialog, -2);
        });
        return windows->dialog_box_indirect(bytes, owner, probe_procedure, 42);
    }

    // The commands the dialog procedure received.
    std::vector<uintptr_t> commands() const {
        std::vector<uintptr_t> ids;
        for (const Message &m : probe.seen)
            if (m.message == WM_COMMAND) ids.push_back(m.wparam);
        return ids;
    }

    WindowHandle owner = 0;
    Probe probe;
};

TEST(DialogTemplate, ReadsHeaderItemsFontsNamedClassesAndCreationData) {
    TemplateBuilder t;
    t.header(kDialogStyle | DS_SETFONT, 2, -5, 7, 100, 60, u"T\u00e9");
    t.u16(9);
    t.text(u"Sans");
    t.item(WS_CHILD, 1, 2, 3, 4, 77, DIALOG_CLASS_STATIC, u"x");
    // A named class, a resource ordinal as text and four bytes of creation data.
    while (t.bytes.size() % 4) t.bytes.push_back(0);
    t.u32(WS_CHILD | WS_TABSTOP);
    t.u32(0x20);
    for (int v : {10, 20, 30, 40, 78}) t.u16(v);
    t.text(u"MyClass");
    t.u16(0xFFFF);
    t.u16(5);
    t.u16(6);
    t.u32(0xDEADBEEF);
    const auto parsed = parse_dialog_template(t.bytes);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->style, kDialogStyle | DS_SETFONT);
    EXPECT_EQ(parsed->units, (Rect{-5, 7, 95, 67}));
    EXPECT_EQ(parsed->title, u"T\u00e9");
    EXPECT_EQ(parsed->font_size, 9);
    EXPECT_EQ(parsed->font_name, u"Sans");
    ASSERT_EQ(parsed->items.size(), 2u);
    EXPECT_EQ(parsed->items[0].class_ordinal, DIALOG_CLASS_STATIC);
    EXPECT_EQ(parsed->items[0].units, (Rect{1, 2, 4, 6}));
    EXPECT_EQ(parsed->items[0].text, u"x");
    EXPECT_EQ(parsed->items[1].class_name, u"MyClass");
    EXPECT_EQ(parsed->items[1].class_ordinal, 0);
    EXPECT_EQ(parsed->items[1].extended_style, 0x20u);
    EXPECT_EQ(parsed->items[1].id, 78);
    EXPECT_TRUE(parsed->items[1].text.empty());
}

TEST(DialogTemplate, RefusesEveryTruncationTheExtendedFormAndBogusCounts) {
    const std::vector<uint8_t> bytes = line_input_template();
    ASSERT_TRUE(parse_dialog_template(bytes).has_value());
    for (size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(parse_dialog_template(std::span(bytes.data(), size)).has_value()) << size;

    std::vector<uint8_t> extended = bytes;
    extended[0] = 1;
    extended[1] = 0;
    extended[2] = 0xFF;
    extended[3] = 0xFF;
    EXPECT_FALSE(parse_dialog_template(extended).has_value());

    std::vector<uint8_t> too_many = bytes;
    too_many[8] = 0xFF;
    too_many[9] = 0xFF;
    EXPECT_FALSE(parse_dialog_template(too_many).has_value());

    TemplateBuilder unterminated;
    unterminated.header(kDialogStyle, 0, 0, 0, 10, 10, u"abc");
    unterminated.bytes.resize(unterminated.bytes.size() - 2);
    EXPECT_FALSE(parse_dialog_template(unterminated.bytes).has_value());
}

TEST_F(DialogTest, CannotBeCreatedWithoutOwnerProcedureOrValidTemplate) {
    const std::vector<uint8_t> bytes = line_input_template();
    EXPECT_EQ(windows->dialog_box_indirect(bytes, 0, probe_procedure, 0), -1);
    EXPECT_EQ(windows->dialog_box_indirect(bytes, 999, probe_procedure, 0), -1);
    EXPECT_EQ(windows->dialog_box_indirect(bytes, owner, nullptr, 0), -1);
    EXPECT_EQ(windows->dialog_box_indirect(std::span(bytes.data(), 30), owner, probe_procedure, 0),
              -1);
    EXPECT_TRUE(probe.seen.empty());
    EXPECT_EQ(windows->windows().size(), 1u);
    EXPECT_TRUE(windows->window_enabled(owner));
}

TEST_F(DialogTest, InitDialogThenFocusOnTheFirstTabStopAndTheLayoutInPixels) {
    at(1000, [&](WindowHandle dialog) {
        ASSERT_NE(dialog, 0);
        const Window *window = windows->find(dialog);
        const Dialog *state = windows->dialog(dialog);
        ASSERT_TRUE(window && state);
        EXPECT_EQ(window->class_name, "#32770");
        EXPECT_EQ(window->title, "Question");
        EXPECT_EQ(window->owner, owner);
        EXPECT_TRUE(window->visible);
        EXPECT_EQ(windows->focus(), dialog);
        // Dialog units at 8 x 16 pixel base units: x twice over, y twice over.
        EXPECT_EQ(window->client, (Rect{0, 0, 370, 184}));
        // Placed 100 pixels right of and below the owner's client corner (3, 26).
        EXPECT_EQ(window->outer.left, 103);
        EXPECT_EQ(window->outer.top, 126);
        EXPECT_EQ(state->items[0].pixels, (Rect{16, 60, 350, 134}));
        EXPECT_EQ(state->items[1].pixels, (Rect{134, 148, 234, 176}));
        EXPECT_EQ(state->items[2].control.text, u"Name?");
        EXPECT_EQ(state->focus, 0);
        EXPECT_FALSE(windows->window_enabled(owner));
        windows->end_dialog(dialog, 5);
    });
    EXPECT_EQ(run(), 5);
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_EQ(probe.seen[0].message, WM_INITDIALOG);
    EXPECT_EQ(probe.seen[0].wparam, static_cast<uintptr_t>(kEdit));
    EXPECT_EQ(probe.seen[0].lparam, 42);
    EXPECT_EQ(windows->windows().size(), 1u);
    EXPECT_EQ(headless->dialog(), 0);
    EXPECT_TRUE(windows->window_enabled(owner));
    EXPECT_EQ(windows->focus(), owner);
}

TEST_F(DialogTest, WithoutDefaultFocusTypingGoesNowhere) {
    probe.default_focus = false;
    at(1000, [&](WindowHandle dialog) {
        headless->type_text(dialog, u"abc");
        headless->key(dialog, VK_RETURN);
    });
    EXPECT_EQ(run(), 1000 + kButton);
    EXPECT_EQ(probe.text_at_end, u"");
}

TEST_F(DialogTest, TypingEditsTheFieldAndEnterPressesTheDefaultButton) {
    at(1000, [&](WindowHandle dialog) {
        headless->type_text(dialog, u"Hellp");
        headless->key(dialog, VK_BACK, 0x08);
        headless->type_text(dialog, u"o\r\n\t\x7f w\u00f6rld \U0001F600");
        headless->key(dialog, VK_BACK, 0x08);  // removes the whole pair
    });
    at(2000, [&](WindowHandle dialog) { headless->key(dialog, VK_RETURN); });
    EXPECT_EQ(run(), 1000 + kButton);
    EXPECT_EQ(probe.text_at_end, u"Hello w\u00f6rld ");
    EXPECT_EQ(commands(), (std::vector<uintptr_t>{kButton}));
}

TEST_F(DialogTest, EscapeCloseBoxAndAltF4SendCancelOnly) {
    at(1000, [&](WindowHandle dialog) {
        headless->key(dialog, VK_ESCAPE);
        headless->close_box(dialog);
        headless->key(dialog, VK_F4);  // F4 alone does nothing
        headless->key_down(dialog, VK_MENU);
        headless->key(dialog, VK_F4);
        headless->key_up(dialog, VK_MENU);
    });
    at(2000, [&](WindowHandle dialog) {
        ASSERT_NE(dialog, 0);
        EXPECT_EQ(commands(), (std::vector<uintptr_t>{IDCANCEL, IDCANCEL, IDCANCEL}));
        headless->press_dialog_button(dialog, kButton);
    });
    EXPECT_EQ(run(), 1000 + kButton);
}

// As a display with a dialog manager of its own reports them.
TEST_F(DialogTest, ReportedEditsButtonsCancelAndCloseReachTheDialogProcedure) {
    at(1000, [&](WindowHandle dialog) {
        windows->report(DialogTextEdited{dialog, kEdit, u"Ada"});
        windows->report(DialogCancel{dialog});
        windows->report(DialogClose{dialog});
        windows->report(DialogButton{dialog, IDOK});
        windows->report(DialogButton{owner, kButton});  // no dialog runs there
        windows->report(MenuCommand{owner, 1});         // it takes no input meanwhile
    });
    at(2000, [&](WindowHandle dialog) {
        EXPECT_EQ(commands(), (std::vector<uintptr_t>{IDCANCEL, IDCANCEL, IDOK}));
        windows->report(DialogButton{dialog, kButton});
    });
    EXPECT_EQ(run(), 1000 + kButton);
    EXPECT_EQ(probe.text_at_end, u"Ada");
    for (const Message &m : window_log().seen) EXPECT_NE(m.message, WM_COMMAND);
}

TEST_F(DialogTest, TabMovesTheFocusBetweenTabStopsAndSpacePressesAButton) {
    at(1000, [&](WindowHandle dialog) {
        headless->type_text(dialog, u"a");
        headless->key(dialog, VK_TAB);
        headless->type_text(dialog, u"b");  // the button takes no text
        headless->key_down(dialog, VK_SHIFT);
        headless->key(dialog, VK_TAB);
        headless->key_up(dialog, VK_SHIFT);
        headless->type_text(dialog, u"c");
        headless->key(dialog, VK_TAB);
        headless->key(dialog, VK_TAB);  // the label is no tab stop: back to the edit
        headless->type_text(dialog, u"d");
        headless->key(dialog, VK_TAB);
        headless->type_text(dialog, u" ");
    });
    EXPECT_EQ(run(), 1000 + kButton);
    EXPECT_EQ(probe.text_at_end, u"acd");
}

TEST_F(DialogTest, ClicksFocusTheEditAndPressButtonsButNotTheLabel) {
    probe.default_focus = false;
    at(1000, [&](WindowHandle dialog) {
        headless->click(dialog, 20, 10);  // the label
        headless->type_text(dialog, u"x");
        headless->click(dialog, 20, 70);  // the edit
        headless->type_text(dialog, u"y");
        headless->click(dialog, 5, 5);  // no item
        headless->type_text(dialog, u"z");
    });
    at(2000, [&](WindowHandle dialog) { headless->press_dialog_button(dialog, kButton); });
    EXPECT_EQ(run(), 1000 + kButton);
    EXPECT_EQ(probe.text_at_end, u"yz");
}

TEST_F(DialogTest, ItemTextReadOutIsBoundedByTheCallersSize) {
    at(1000, [&](WindowHandle dialog) {
        ASSERT_TRUE(windows->set_dialog_item_text(dialog, kEdit, u"abcdef"));
        EXPECT_FALSE(windows->set_dialog_item_text(dialog, 555, u"x"));
        char16_t buffer[8] = {u'#', u'#', u'#', u'#', u'#', u'#', u'#', u'#'};
        EXPECT_EQ(windows->get_dialog_item_text(dialog, kEdit, buffer, 4), 3);
        EXPECT_EQ(std::u16string(buffer), u"abc");
        EXPECT_EQ(buffer[4], u'#');
        EXPECT_EQ(windows->get_dialog_item_text(dialog, kEdit, buffer, 1), 0);
        EXPECT_EQ(buffer[0], 0);
        buffer[0] = u'#';
        EXPECT_EQ(windows->get_dialog_item_text(dialog, kEdit, buffer, 0), 0);
        EXPECT_EQ(buffer[0], u'#');
        EXPECT_EQ(windows->get_dialog_item_text(dialog, 555, buffer, 8), 0);
        EXPECT_EQ(buffer[0], 0);
        EXPECT_EQ(windows->get_dialog_item_text(owner, kEdit, buffer, 8), 0);
        windows->end_dialog(dialog, 1);
    });
    EXPECT_EQ(run(), 1);
    EXPECT_FALSE(windows->end_dialog(owner, 1));
}

TEST_F(DialogTest, TheOwnerKeepsPaintingAndTickingButTakesNoInput) {
    at(1000, [&](WindowHandle dialog) {
        window_log().seen.clear();
        windows->invalidate(owner);
        headless->click(owner, 10, 10);
        headless->key(owner, 'A', 'a');
        headless->close_box(owner);
        headless->menu_command(owner, 1);
        (void)dialog;
    });
    at(1500, [&](WindowHandle dialog) {
        int paints = 0, timers = 0, input = 0;
        for (const Message &m : window_log().seen) {
            paints += m.message == WM_PAINT;
            timers += m.message == WM_TIMER;
            input += m.message == WM_LBUTTONDOWN || m.message == WM_KEYDOWN ||
                     m.message == WM_CLOSE || m.message == WM_COMMAND;
        }
        EXPECT_EQ(paints, 1);
        EXPECT_GE(timers, 4);
        EXPECT_EQ(input, 0);
        windows->end_dialog(dialog, 1);
    });
    EXPECT_EQ(run(), 1);
    // A modal loop that waits rather than polls: about one wait per tick.
    EXPECT_LT(headless->waits(), 40);
    headless->click(owner, 10, 10);
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_LBUTTONDOWN);
}

TEST_F(DialogTest, AQuitEndsTheDialogAndIsPostedAgain) {
    at(1000, [&](WindowHandle dialog) {
        headless->type_text(dialog, u"unfinished");
        windows->post_quit(7);
    });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(windows->windows().size(), 1u);
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wparam, 7u);
}

TEST_F(DialogTest, DestroyingTheOwnerTakesTheDialogWithIt) {
    at(1000, [&](WindowHandle) { windows->destroy_window(owner); });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(windows->windows().empty());
    EXPECT_EQ(headless->dialog(), 0);
}

TEST_F(DialogTest, LosingTheDialogsWindowEndsItAsCancelledAndFreesTheOwner) {
    at(1000, [&](WindowHandle dialog) {
        headless->type_text(dialog, u"unfinished");
        windows->report(WindowLost{dialog});
    });
    EXPECT_EQ(run(), IDCANCEL);
    EXPECT_TRUE(probe.text_at_end.empty());
    EXPECT_EQ(windows->windows().size(), 1u);
    EXPECT_TRUE(windows->window_enabled(owner));
    headless->close_box(owner);
    Message message;
    ASSERT_TRUE(windows->peek_message(message));
    EXPECT_EQ(message.message, WM_CLOSE);
}

TEST_F(DialogTest, LosingTheOwnersWindowClosesItAndTheDialogWithIt) {
    at(1000, [&](WindowHandle) { windows->report(WindowLost{owner}); });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(windows->windows().empty());
    EXPECT_EQ(headless->dialog(), 0);
}

TEST_F(DialogTest, EndingFromInitDialogNeverShowsIt) {
    struct Ender {
        static intptr_t procedure(WindowHandle dialog, unsigned message, uintptr_t, intptr_t) {
            if (message == WM_INITDIALOG) window_log().windows->end_dialog(dialog, 9);
            return 0;
        }
    };
    EXPECT_EQ(windows->dialog_box_indirect(line_input_template(), owner, Ender::procedure, 0), 9);
    EXPECT_EQ(windows->windows().size(), 1u);
    EXPECT_EQ(headless->waits(), 0);
}

}  // namespace
