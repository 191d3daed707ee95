// What the web display tells its page and how it turns the page's input into
// messages, checked natively over the headless display.
#include <gtest/gtest.h>

#include "platform/web/page_description.h"
#include "platform/web/page_input.h"
#include "platform/window_system.h"
#include "support/logging_window.h"

using namespace kelto::platform;
using kelto::test::logging_procedure;

namespace {

class WebPageModelTest : public kelto::test::HeadlessWindowsTest {
protected:
    void SetUp() override {
        HeadlessWindowsTest::SetUp();
        windows->register_class(WindowClass{"Test", logging_procedure, 0, 0xFFFFFF});
        window = windows->create_window("Test", "test", WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540);
        Message drained;
        while (windows->peek_message(drained)) {
        }
    }

    // The one message the input queued.
    Message posted(const PageInput &input) {
        report_page_input(*windows, input);
        Message message{};
        EXPECT_TRUE(windows->peek_message(message));
        Message more{};
        EXPECT_FALSE(windows->peek_message(more)) << "a second message " << more.message;
        return message;
    }

    WindowHandle window = 0;
};

TEST(WebJsonString, EscapesQuotesBackslashesAndEverythingOutsidePrintableAscii) {
    EXPECT_EQ(json_string(std::string_view("a\"b\\c")), R"("a\"b\\c")");
    EXPECT_EQ(json_string(std::string_view("&Run\tCtrl+R")), R"("&Run\u0009Ctrl+R")");
    EXPECT_EQ(json_string(std::string_view("caf\xE9")), R"("caf\u00e9")");
    EXPECT_EQ(json_string(std::u16string_view(u"\u20ac</script>")), R"("\u20ac</script>")");
}

TEST_F(WebPageModelTest, TheMenuBarKeepsHintsMnemonicsChecksAndGreyedItems) {
    EXPECT_EQ(describe_menu_bar(*windows, window), R"({"menus":[]})");
    const MenuHandle bar = windows->create_menu();
    const MenuHandle run = windows->create_popup_menu();
    ASSERT_TRUE(windows->append_menu(run, MF_STRING | MF_CHECKED, 4, "&Logging\tCtrl+L"));
    ASSERT_TRUE(windows->append_menu(run, MF_SEPARATOR, 0, ""));
    ASSERT_TRUE(windows->append_menu(run, MF_STRING | MF_GRAYED, 8, "&Quit"));
    ASSERT_TRUE(windows->append_menu(bar, MF_POPUP, static_cast<uintptr_t>(run), "&Run"));
    ASSERT_TRUE(windows->set_menu(window, bar));
    EXPECT_EQ(describe_menu_bar(*windows, window),
              R"({"menus":[{"text":"&Run","items":[)"
              R"({"text":"&Logging\u0009Ctrl+L","id":4,"checked":true,"greyed":false},)"
              R"({"separator":true},)"
              R"({"text":"&Quit","id":8,"checked":false,"greyed":true}]}]})");
}

TEST_F(WebPageModelTest, MouseKeysAndCommandsBecomeTheirMessages) {
    const Message click = posted({PageInput::MouseDown, window, 300, 245, {}});
    EXPECT_EQ(click.message, WM_LBUTTONDOWN);
    EXPECT_EQ(click.lparam, make_lparam(300, 245));

    // The character typed travels in the high word of the key's lparam.
    const Message key = posted({PageInput::KeyDown, window, 'R', 0x12, {}});
    EXPECT_EQ(key.message, WM_KEYDOWN);
    EXPECT_EQ(key.wparam, uintptr_t{'R'});
    EXPECT_EQ(key.lparam, key_lparam(0x12));

    const Message up = posted({PageInput::KeyUp, window, 'R', 0, {}});
    EXPECT_EQ(up.message, WM_KEYUP);
    EXPECT_EQ(up.wparam, uintptr_t{'R'});

    const Message command = posted({PageInput::Command, window, 7, 0, {}});
    EXPECT_EQ(command.message, WM_COMMAND);
    EXPECT_EQ(command.wparam, 7u);

    EXPECT_EQ(posted({PageInput::Close, window, 0, 0, {}}).message, WM_CLOSE);
}

TEST_F(WebPageModelTest, InputForNoWindowOrAGoneOneOrOfNoKindIsDropped) {
    Message message{};
    report_page_input(*windows, {PageInput::KeyDown, window, 0, 0, {}});  // no key, no character
    report_page_input(*windows, {PageInput::MouseDown, window + 100, 1, 1, {}});
    report_page_input(*windows, {99, window, 1, 1, {}});
    EXPECT_FALSE(windows->peek_message(message));
    ASSERT_TRUE(windows->destroy_window(window));
    while (windows->peek_message(message)) {
    }
    report_page_input(*windows, {PageInput::MouseDown, window, 1, 1, {}});
    report_page_input(*windows, {PageInput::Focus, window, 0, 0, {}});
    EXPECT_FALSE(windows->peek_message(message));
}

}  // namespace
