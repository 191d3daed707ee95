// The replay runner's process entry: runs the program's KELTO_main on the
// headless display with a script as its user, then writes what it showed.
// Linked instead of the usual entry (kelto::replay instead of kelto::main).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "console/console.h"
#include "draw/text_encoding.h"
#include "events/events.h"
#include "kelto.h"
#include "platform/headless/headless_display.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "platform/window_system.h"
#include "replay/fixed_time.h"
#include "replay/last_words.h"
#include "replay/output_file.h"
#include "replay/png_image.h"
#include "replay/replay_options.h"
#include "script/script.h"

namespace kelto::replay {

namespace {

constexpr int kUnusable = 2;
constexpr int kStopped = 3;
constexpr int kOuterWidth = 601;
constexpr int kOuterHeight = 540;

int instance_token;

// Everything the run keeps for the outputs; lives until the process ends.
struct Session {
    ReplayOptions options;
    std::unique_ptr<OutputFile> png;
    std::unique_ptr<OutputFile> console;
    std::vector<std::string> printed;
    std::size_t next_line = 0;
    int frames_written = 0;
    platform::HeadlessDisplay *display = nullptr;
};

Session &session() {
    static Session *const the_session = new Session;
    return *the_session;
}

std::string program_name(const char *argv0) {
    const std::string path = argv0 ? argv0 : "runner";
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Ends the run for a problem of the runner's: says what it is and leaves no
// output behind.
int unusable(const std::string &problem) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    session().png.reset();
    session().console.reset();
    return kUnusable;
}

bool failed(const std::string &problem) {
    unusable(problem);
    return false;
}

// The script is read while the program runs; a script that cannot be read
// stops the runner before it starts.
bool script_readable(const std::string &path, std::string &problem) {
    std::error_code error;
    std::FILE *file =
        std::filesystem::is_regular_file(path, error) ? std::fopen(path.c_str(), "r") : nullptr;
    if (!file) {
        problem = "cannot read the script " + path + " (it must be a readable file)";
        return false;
    }
    std::fclose(file);
    return true;
}

platform::WindowHandle graphics_window() {
    return events::state().graphics_window;
}

void on_line_printed(const char *line) {
    session().printed.emplace_back(line);
}

// A frame is shown whenever the graphics window's picture changes.
void on_client_changed(platform::WindowHandle window) {
    Session &s = session();
    if (window != graphics_window()) return;
    const Image *shown = s.display->client_image(window);
    note_shown(shown);
    if (!s.options.frames || !shown) return;
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%05d.png", ++s.frames_written);
    std::string problem;
    {
        OutputFile frame(*s.options.frames + name);
        if (frame.commit(png_bytes(*shown))) return;
        problem = frame.problem();
    }
    std::_Exit(unusable(problem));
}

// Types the next given line into a dialog and presses its default button.
void on_dialog_started(platform::WindowHandle dialog) {
    Session &s = session();
    std::u16string typed;
    if (s.next_line < s.options.lines.size()) {
        // Read as the library reads all text; the dialog stores it as 8-bit.
        text::for_each_character(s.options.lines[s.next_line++], [&](char32_t c) {
            if (c < 0x10000) typed += static_cast<char16_t>(c);
        });
    }
    s.display->after(s.display->now_ms(), [dialog, typed] {
        session().display->type_text(dialog, typed);
        session().display->key(dialog, platform::VK_RETURN);
    });
}

// Writes the outputs asked for; false (having said why) if one fails.
bool write_outputs() {
    Session &s = session();
    if (s.console) {
        std::string text;
        for (const std::string &line : s.printed)
            text += line.empty() || line.back() != '\n' ? line + '\n' : line;
        if (!s.console->commit(text)) return failed(s.console->problem());
    }
    if (s.png) {
        const Image *shown = platform::window_system().client_image(graphics_window());
        if (!shown)
            return failed("the graphics window is not open, so there is no picture for " +
                          s.png->path());
        if (!s.png->commit(png_bytes(*shown))) return failed(s.png->problem());
    }
    return true;
}

void kept_waiting() {
    std::fprintf(stderr,
                 "The program went on waiting for events after it was told to quit "
                 "%d times; it was stopped.\n",
                 events::UnattendedRun::kQuitsBeforeStop);
    std::_Exit(write_outputs() ? kStopped : kUnusable);
}

// Opens the outputs now, so that nothing runs when one cannot be written.
bool prepare_outputs(Session &s, std::string &problem) {
    if (!script_readable(s.options.script, problem)) return false;
    if (s.options.png) s.png = std::make_unique<OutputFile>(*s.options.png);
    if (s.options.console) s.console = std::make_unique<OutputFile>(*s.options.console);
    for (const OutputFile *output : {s.png.get(), s.console.get()}) {
        if (output && !output->ok()) {
            problem = output->problem();
            return false;
        }
    }
    return !s.options.frames || prepare_directory(*s.options.frames, problem);
}

void prepare_display(Session &s) {
    s.display = &platform::use_headless_display();
    if (const std::optional<ClientSize> client = s.options.client) {
        // The whole difference goes to the right and the top, where it moves nothing.
        platform::ClassicDecorations decorations;
        decorations.frame_left = 0;
        decorations.frame_right = kOuterWidth - client->width;
        decorations.frame_top = 0;
        decorations.frame_bottom = 0;
        decorations.caption = 0;
        decorations.menu_bar = kOuterHeight - client->height;
        s.display->set_decorations(decorations);
    }
    s.display->on_client_changed(on_client_changed);
    s.display->on_dialog_started(on_dialog_started);
}

}  // namespace

}  // namespace kelto::replay

int main(int argc, char **argv) {
    using namespace kelto;
    using namespace kelto::replay;
    const std::string name = program_name(argc > 0 ? argv[0] : nullptr);
    auto parsed = parse_options(argc, argv);
    if (const std::string *problem = std::get_if<std::string>(&parsed))
        return unusable(name + ": " + *problem);
    Session &s = session();
    s.options = std::get<ReplayOptions>(std::move(parsed));
    if (s.options.help) {
        std::fputs(usage(name).c_str(), stdout);
        return 0;
    }
    if (std::string problem; !prepare_outputs(s, problem)) return unusable(name + ": " + problem);
    keep_last_words({s.png.get(), s.console.get(), &s.printed});

    set_calendar_time(static_cast<std::time_t>(s.options.time));
    script::set_file_name(s.options.script.c_str());
    console::state().line_printed = on_line_printed;
    prepare_display(s);
    events::UnattendedRun run;
    run.ticks = s.options.ticks;
    run.kept_waiting = kept_waiting;
    events::run_unattended(run);

    char command_line[] = "";
    const int status = KELTO_main(&instance_token, nullptr, command_line, platform::SW_SHOWNORMAL);
    return write_outputs() ? status : kUnusable;
}
