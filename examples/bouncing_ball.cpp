// Animation: a ball that bounces off the edges. While animating, every tick
// of the 100 ms timer brings a KELTO_PERIODIC event, and each one moves the
// ball a step. Try the Run menu: Ctrl+H halts, Ctrl+F moves one frame, Ctrl+A
// animates again.
#include <kelto.h>

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    const int radius = 20;
    int ball_x = 0, ball_y = 0;   // where the ball is
    int step_x = 12, step_y = 7;  // how far it moves each frame
    int frames = 0;
    int x, y;
    char key;
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_show_text(0);
    KELTO_run_control(RUN_ANIMATE);
    for (;;) {
        KELTO_clear();
        KELTO_circle(RED, ball_x, ball_y, radius);
        KELTO_text_printf(GRAY_50, -280, -220, 12,
                          "frame %d   Ctrl+H halt, Ctrl+F one frame, "
                          "Ctrl+A animate",
                          frames);
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        if (event != KELTO_PERIODIC) continue;
        ++frames;
        ball_x += step_x;
        ball_y += step_y;
        // At an edge the ball turns round: its step changes sign.
        if (ball_x > 290 - radius || ball_x < -290 + radius) step_x = -step_x;
        if (ball_y > 240 - radius || ball_y < -240 + radius) step_y = -step_y;
    }
    KELTO_close();
    return 0;
}
