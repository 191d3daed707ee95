// The process entry of every KELTO program on Windows: a GUI program (no
// console window) whose WinMain hands the real instance, previous instance,
// command line and show state to the program's KELTO_main.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "kelto.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_command) {
    return KELTO_main(instance, previous_instance, command_line, show_command);
}
