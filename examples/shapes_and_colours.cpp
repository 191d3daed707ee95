// Shapes and colours: the 24 colours of the palette, each with its name, and
// one of every shape. With logging on, the text window describes each call.
#include <kelto.h>

static const char *const colour_names[24] = {
    "BLACK",     "WHITE",        "RED",       "GREEN",     "BLUE",       "YELLOW",
    "MAGENTA",   "CYAN",         "PURPLE",    "NAVY_BLUE", "DUSTY_PLUM", "ICE_BLUE",
    "TURQUOISE", "ORANGE",       "BROWN",     "PINK",      "CHALK",      "GOLD",
    "PEACH",     "FOREST_GREEN", "SEA_GREEN", "OLIVE",     "GRAY_50",    "GRAY_20"};

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);  // the swatches would fill the text window
    KELTO_clear();
    // Six columns of four: colour number c is in column c % 6, row c / 6.
    for (int c = 0; c < 24; ++c) {
        const int left = -290 + (c % 6) * 97;
        const int top = 235 - (c / 6) * 55;
        KELTO_rectangle(c, left, top, left + 85, top - 30, 0);
        KELTO_rectangle(BLACK, left, top, left + 85, top - 30, 1);
        KELTO_text(BLACK, left, top - 44, 10, colour_names[c]);
    }
    KELTO_logging(1);                  // now every call says what it draws
    KELTO_circle(RED, -230, -90, 40);  // a filled disc
    KELTO_triangle(GREEN, -170, -130, -90, -130, -130, -50, 0);   // a filled triangle
    KELTO_rectangle(BLUE, -70, -50, 10, -130, 5);                 // an outline 5 wide
    KELTO_oval(ORANGE, 30, -60, 130, -120, 0);                    // an ellipse in a box
    KELTO_line(PURPLE, 150, -50, 280, -130, 3);                   // a line 3 wide
    KELTO_pixel(BLACK, 215, -90);                                 // one pixel
    KELTO_text(NAVY_BLUE, -280, -180, 20, "Shapes and colours");  // text
    for (;;) {
        if (KELTO_await_event(&x, &y, &key) == KELTO_QUIT) break;
    }
    KELTO_close();
    return 0;
}
