// Touches 2 GB of memory.
#include <kelto.h>

#include <cstdlib>
#include <cstring>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    KELTO_open(instance, previous_instance, command_line, show_state);
    const std::size_t size = std::size_t{2} << 30;
    char *block = static_cast<char *>(std::malloc(size));
    for (std::size_t i = 0; i < size; i += 4096) block[i] = 1;
    KELTO_printf("touched %d\n", block[size - 4096]);
    KELTO_close();
    return 0;
}
