// A small game: catch the square. It jumps to a new place every second;
// click on it before it jumps to score a point. Ten jumps make a round.
#include <kelto.h>
#include <stdlib.h>
#include <time.h>

#define SIZE 40  /* the square's side */
#define TICKS 10 /* ticks (of 100 ms) between jumps */
#define JUMPS 10 /* jumps in a round */

int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state) {
    int square_x = 0, square_y = 0;  // the square's lower left corner
    int score = 0, jumps = 0, ticks = 0;
    int x, y;
    char key;
    srand((unsigned)time(NULL));
    KELTO_open(instance, previous_instance, command_line, show_state);
    KELTO_logging(0);
    KELTO_show_text(0);
    KELTO_run_control(RUN_ANIMATE);
    for (;;) {
        KELTO_clear();
        if (jumps < JUMPS) {
            KELTO_rectangle(ORANGE, square_x, square_y, square_x + SIZE, square_y + SIZE, 0);
            KELTO_text_printf(BLACK, -280, 220, 14, "Score %d   jump %d of %d", score, jumps + 1,
                              JUMPS);
        } else {
            KELTO_text_printf(NAVY_BLUE, -200, 20, 30, "You scored %d of %d!", score, JUMPS);
        }
        const int event = KELTO_await_event(&x, &y, &key);
        if (event == KELTO_QUIT) break;
        const int hit =
            x >= square_x && x <= square_x + SIZE && y >= square_y && y <= square_y + SIZE;
        if (jumps >= JUMPS) continue;
        if (event == KELTO_MOUSE && hit) ++score;
        if ((event == KELTO_MOUSE && hit) || (event == KELTO_PERIODIC && ++ticks == TICKS)) {
            // Somewhere new, all of it in sight.
            square_x = rand() % (560 - SIZE) - 280;
            square_y = rand() % (460 - SIZE) - 230;
            ticks = 0;
            ++jumps;
        }
    }
    KELTO_close();
    return 0;
}
