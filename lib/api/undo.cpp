// KELTO_undo: retired; it only says so.
#include "kelto.h"

extern "C" int KELTO_undo(void) {
    KELTO_printf("KELTO_undo is no longer supported.\n");
    return 1;
}
