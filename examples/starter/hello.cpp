// Your first KELTO program: a face that follows your clicks. Change it!
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int face_x = 0, face_y = 0;  // where the face stands
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    for (;;) {
        KELTO_clear();
        KELTO_circle(YELLOW, face_x, face_y, 60);
        KELTO_circle(BLACK, face_x - 20, face_y + 20, 8);
        KELTO_circle(BLACK, face_x + 20, face_y + 20, 8);
        KELTO_line(BLACK, face_x - 25, face_y - 20, face_x + 25, face_y - 20, 4);
        KELTO_text(BLUE, -280, -220, 14, "Click somewhere. Ctrl+Q ends the program.");
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        if (event == KELTO_MOUSE) {
            face_x = x;
            face_y = y;
        }
    }
    KELTO_close();
    return 0;
}
