// The text window's image, drawn only when it can be seen: whenever it is
// seen (read back, at a wait, before a dialog, after a resize) it is exactly
// what drawing each line at the bottom as it was printed gives.
#include <optional>
#include <string>

#include "draw/fonts.h"
#include "support/kelto_fixture.h"

namespace kelto::test {
namespace {

using platform::WindowHandle;

// Lines whose glyphs reach outside their row, with accents above and
// descenders below, mixed with plain ones and an empty one.
const char *const kLines[] = {
    "\xC3\x85\xC3\x89\xC3\x87 gjpqy |_ ()[]{}\n",      "plain line\n",           "",
    "\xC3\x96\xC3\x9C\xC3\x84 ___ ,,, ;;; \xC3\xA5\n", "Red pixel at (12,-7)\n", "ab\ncd",
};

// The text window's image as it was drawn before it was kept up to date
// lazily: each line scrolls it up one row, clears the bottom row and draws
// the line there.
class EagerTextImage {
public:
    explicit EagerTextImage(Image image) : image_(std::move(image)) {}

    void print(std::string line) {
        const int h = console::console_row_height();
        scroll_up(image_, h);
        fill_rect(image_, 0, image_.height - h, image_.width, int64_t{image_.height} + 1, kWhite);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        text::fonts().draw(image_, text::Face::Mono, console::kConsoleCharHeight, 5,
                           image_.height - h, line, kBlack);
    }
    const Image &image() const { return image_; }

private:
    Image image_;
};

class TextImageTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        display = &platform::use_headless_display();
        display->set_screen_size(1024, GetParam());
        KELTO_open(&instance_token_, nullptr, nullptr, platform::SW_SHOWNORMAL);
        graphics = events::state().graphics_window;
        // The start-up paints are taken.
        pump();
        eager.emplace(*display->client_image(text_window()));
    }

    static void pump() {
        platform::WindowSystem &windows = platform::window_system();
        platform::Message message;
        while (windows.peek_message(message)) {
            windows.translate_message(message);
            windows.dispatch_message(message);
        }
    }

    static WindowHandle text_window() { return console::state().text_window; }
    // The image as the display holds it now, not brought up to date.
    const Image &held_image() const { return display->host().window(text_window())->image; }

    // Prints `count` lines through the library and into the eager image.
    void print(int count) {
        for (int i = 0; i < count; ++i) {
            KELTO_printf("%s", kLines[static_cast<std::size_t>(printed_) % std::size(kLines)]);
            eager->print(console::console_lines().back());
            ++printed_;
        }
    }

    void expect_shown(const Image &shown, const char *when) const {
        ASSERT_EQ(shown.width, eager->image().width) << when;
        ASSERT_EQ(shown.height, eager->image().height) << when;
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x)
                ASSERT_EQ(shown.at(x, y), eager->image().at(x, y))
                    << when << ", after " << printed_ << " lines, at (" << x << ", " << y << ")";
    }

    int rows() const {
        return display->client_image(text_window())->height / console::console_row_height();
    }

    platform::HeadlessDisplay *display = nullptr;
    WindowHandle graphics = 0;
    std::optional<EagerTextImage> eager;

private:
    int instance_token_ = 0;
    int printed_ = 0;
};

// Screens whose text window shows fewer rows than the ring holds, a partly
// visible top row, and more rows than the ring holds.
INSTANTIATE_TEST_SUITE_P(Screens, TextImageTest, ::testing::Values(300, 768, 1000, 2400));

TEST_P(TextImageTest, ReadBackAfterAnyNumberOfLinesShowsEveryLineAsPrinted) {
    const int counts[] = {1, 2, 3, rows() - 1, rows(), rows() + 1, 1, 2 * rows() + 5, 26, 7};
    for (const int count : counts) {
        print(count);
        expect_shown(*display->client_image(text_window()), "read back");
    }
}

TEST_P(TextImageTest, AWaitShowsWhatWasPrintedWithoutAnyoneReadingIt) {
    print(rows() + 3);
    const int updates = display->client_updates();
    print(2);
    EXPECT_EQ(display->client_updates(), updates) << "printing draws nothing yet";
    display->click(graphics, 1, 1);
    int x = 0, y = 0;
    char key = 0;
    KELTO_await_event(&x, &y, &key);
    expect_shown(held_image(), "at the wait");
    EXPECT_EQ(display->last_client_area(text_window()),
              platform::window_system().client_rect(text_window()));
}

TEST_P(TextImageTest, ADialogShowsWhatWasPrintedBeforeIt) {
    print(5);
    bool checked = false;
    display->on_dialog_started([&](WindowHandle dialog) {
        expect_shown(held_image(), "as the dialog starts");
        checked = true;
        display->after(display->now_ms(),
                       [this, dialog] { display->key(dialog, platform::VK_RETURN); });
    });
    char buffer[80] = "";
    KELTO_gets("Name?", buffer);
    EXPECT_TRUE(checked);
}

TEST_P(TextImageTest, AResizedImageStartsEmptyUntilItsPaint) {
    print(4);
    display->resize(text_window(), 900, GetParam() / 4);
    const Image &resized = *display->client_image(text_window());
    eager.emplace(Image(resized.width, resized.height, kWhite));
    print(3);
    expect_shown(*display->client_image(text_window()), "resized, before its paint");
    pump();
    // The paint draws the stored lines on the erased image.
    eager.emplace(Image(resized.width, resized.height, kWhite));
    for (const std::string &line : console::console_lines()) eager->print(line);
    expect_shown(held_image(), "repainted");
}

TEST_P(TextImageTest, AHiddenTextWindowIsUpToDateWhenShownOrRead) {
    EXPECT_EQ(KELTO_show_text(0), 1);
    print(rows() + 2);
    pump();
    expect_shown(*display->client_image(text_window()), "hidden, read back");
    print(3);
    EXPECT_EQ(KELTO_show_text(1), 0);
    pump();
    // Showing repaints the stored lines on the erased image.
    eager.emplace(Image(held_image().width, held_image().height, kWhite));
    for (const std::string &line : console::console_lines()) eager->print(line);
    expect_shown(held_image(), "shown again");
}

}  // namespace
}  // namespace kelto::test
