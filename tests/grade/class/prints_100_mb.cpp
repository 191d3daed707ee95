// Prints 100 MB.
#include <kelto.h>

#include <cstdio>
#include <cstring>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    char line[1025];
    std::memset(line, 'x', 1024);
    line[1024] = '\n';
    KELTO_open(instance, previous_instance, command_line, show_state);
    for (int i = 0; i < 100 * 1024; ++i) std::fwrite(line, 1, sizeof line, stdout);
    KELTO_close();
    return 0;
}
