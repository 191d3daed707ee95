// Draws and waits without ever calling KELTO_open: each call does nothing
// (the wait returns KELTO_QUIT at once), and the page says why.
#include <kelto.h>

int KELTO_main(KeltoInstance, KeltoInstance, char *, int) {
    KELTO_circle(RED, 0, 0, 20);
    while (KELTO_await_event(nullptr, nullptr, nullptr) != KELTO_QUIT) {
    }
    return 0;
}
