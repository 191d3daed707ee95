// KELTO_printf and KELTO_gets.
#include <cstdarg>

#include "api/format_buffer.h"
#include "console/console.h"
#include "console/gets.h"
#include "events/events.h"
#include "kelto.h"

extern "C" int KELTO_printf(const char *format, ...) {
    using namespace kelto;
    char buffer[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    const int count = format_into(buffer, format, args);
    va_end(args);
    console::print_line(buffer);
    return count;
}

extern "C" int KELTO_gets(const char *prompt, char *buffer) {
    using namespace kelto;
    // Without a buffer the line has nowhere to go; without the graphics
    // window the dialog has no owner. Either way no dialog can run.
    if (buffer == nullptr) {
        KELTO_printf("KELTO_gets: no buffer was given for the line, so none is asked for\n");
        return 0;
    }
    if (!events::is_open()) return 0;
    return console::ask_line(events::state().graphics_window, prompt, buffer) ? 1 : 0;
}
