// Drawing where you click: every click adds a point, and the points are
// joined by lines. Press c to start again.
#include <kelto.h>

#define MAX_POINTS 200

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    Point points[MAX_POINTS];
    int count = 0;  // how many points there are
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_show_text(0);
    for (;;) {
        KELTO_clear();
        for (int i = 0; i < count; ++i) {
            if (i > 0) KELTO_line_pt(BLUE, points[i - 1], points[i], 2);
            KELTO_circle_pt(RED, points[i], 4);
        }
        KELTO_text_printf(GRAY_50, -280, -220, 12, "%d points. Click to add one, c to clear.",
                          count);
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        if (event == KELTO_MOUSE && count < MAX_POINTS) {
            points[count].x = x;
            points[count].y = y;
            ++count;
        }
        if (event == KELTO_KBD && key == 'c') count = 0;
    }
    KELTO_close();
    return 0;
}
