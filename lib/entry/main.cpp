// The process entry of every KELTO program. Applications write KELTO_main;
// this main() builds the four values a windowed program starts with and
// forwards them, the way SDL_main does.
#include <cstdlib>
#include <string>

#include "kelto.h"
#ifdef __EMSCRIPTEN__
#include "platform/system.h"
#endif
#ifdef KELTO_PROGRAM_THREAD
#include "platform/program_thread.h"
#endif

namespace {
// The instance handle only has to be a distinct non-null value.
int instance_token;
constexpr int kShowNormal = 1;
}  // namespace

int main(int argc, char **argv) {
#ifdef __EMSCRIPTEN__
    // The page's display needs no screen and cannot fail to start: made
    // first, it shows even the hints of calls made before KELTO_open.
    kelto::platform::window_system();
#endif
    std::string command_line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) command_line += ' ';
        command_line += argv[i];
    }
#ifdef KELTO_PROGRAM_THREAD
    // The toolkit keeps the main thread; the program's status ends the process.
    kelto::platform::run_on_program_thread([&command_line] {
        return KELTO_main(&instance_token, nullptr, command_line.data(), kShowNormal);
    });
#else
    const int status = KELTO_main(&instance_token, nullptr, command_line.data(), kShowNormal);
#ifdef __EMSCRIPTEN__
    // In the browser main() has been suspended and resumed by then, and the
    // value it returns reaches nobody: the program's end is made explicit.
    std::exit(status);
#endif
    return status;
#endif
}
