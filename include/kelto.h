/*
 * kelto.h - the whole public interface of the KELTO graphics and event library.
 *
 * A KELTO program is a plain loop:
 *
 *     int KELTO_main(KeltoInstance instance, KeltoInstance previous,
 *                    char *command_line, int show_state) {
 *         int x, y; char key;
 *         KELTO_open(instance, previous, command_line, show_state);
 *         KELTO_clear();
 *         for (;;) {
 *             KELTO_circle(RED, 0, 0, 50);                    draw ...
 *             if (KELTO_await_event(&x, &y, &key) == KELTO_QUIT)  ... wait ...
 *                 break;
 *             ...                                             ... and act
 *         }
 *         KELTO_close();
 *         return 0;
 *     }
 *
 * Coordinates: (0, 0) is the centre of the graphics window, x grows to the
 * right and y grows upwards. The window shows about x -297..297 and
 * y -245..245 (a little less or more, depending on the desktop's window
 * frames); what lies outside is simply not seen. Colours are indices 0..23
 * into a fixed palette. Every drawing call goes into an off-screen picture
 * that the window shows after the next KELTO_await_event. A program that
 * forgets to wait still has a window: on the desktop, after a second
 * without a wait the window shows the picture as it is now and then, and
 * its close box and Ctrl+Q end the program. Bad arguments (a colour of 99,
 * a negative radius) are corrected and the correction is printed in the
 * text window.
 *
 * Time: while animating, KELTO_await_event hands out a KELTO_PERIODIC event
 * at every tick of a 100 ms timer, so ten a second at most.
 *
 * Text: a string with characters beyond plain ASCII may be UTF-8 (what
 * today's editors save, e.g. "Grüße") and is drawn as the characters it
 * names. Any string that is not valid UTF-8 is read one 8-bit Windows-1252
 * character per byte; the characters typed on the keyboard (KELTO_KBD) and
 * the line KELTO_gets stores are such 8-bit characters, so they draw as typed.
 *
 * Do not write main() yourself: link the kelto_main library (kelto::main in
 * CMake) and write KELTO_main instead; it receives the four start-up values
 * to pass on to KELTO_open.
 */
#ifndef KELTO_H
#define KELTO_H

/* The version of this library. */
#define KELTO_VERSION_MAJOR 2
#define KELTO_VERSION_MINOR 2
#define KELTO_VERSION_PATCH 0

#if defined(__GNUC__) || defined(__clang__)
#define KELTO_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define KELTO_PRINTF_FORMAT(fmt, args)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*-------------------------------------------------------------------------
 * Start-up and shutdown
 *-----------------------------------------------------------------------*/

/* The program instance handed to KELTO_main; pass it on to KELTO_open. */
typedef void *KeltoInstance;

/* Your program's entry point, called by the library's own main(). */
int KELTO_main(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state);

int KELTO_open(KeltoInstance instance, KeltoInstance previous_instance, char *command_line,
               int show_state); /* Opens both windows; call first. Returns 1. */
int KELTO_close(void);          /* Closes the script file; call last. Returns 1. */

/*-------------------------------------------------------------------------
 * Events
 *-----------------------------------------------------------------------*/

#define KELTO_MOUSE 1    /* Left mouse button pressed at (x, y). */
#define KELTO_KBD 2      /* A character was typed; it is in key (see below). */
#define KELTO_PERIODIC 3 /* An animation tick (about ten a second while animating). */
#define KELTO_QUIT 4     /* The program should end. */

/* Waits for the next event and returns its kind (KELTO_MOUSE ... KELTO_QUIT).
   x and y receive the mouse position, key the typed character; fields the
   event does not use are 0. Once the graphics window is gone (or before
   KELTO_open) it returns KELTO_QUIT, since nothing else can come. Only keys
   that type a character give KELTO_KBD: letters, digits, punctuation, the
   space bar, Enter ('\r'), Backspace ('\b') and Tab ('\t'). Keys that type
   nothing (the arrow keys, the F-keys, Shift, Home, End, Page Up and Page
   Down) give no event at all, and the Ctrl keys belong to the Run menu. */
int KELTO_await_event(int *x, int *y, char *key);

#define RUN_HALT 0      /* Stop animation: no more KELTO_PERIODIC events. */
#define RUN_ONE_FRAME 1 /* Deliver one KELTO_PERIODIC event. */
#define RUN_ANIMATE 2   /* Deliver KELTO_PERIODIC events at every tick. */
#define RUN_QUIT 5      /* From now on every KELTO_await_event returns KELTO_QUIT. */

int KELTO_run_control(int code); /* Changes the run state; 0 if not open, else 1. */

/* The user steers the same run state from the graphics window's Run menu or
   with Ctrl keys (in either window): Ctrl+A animate, Ctrl+H halt, Ctrl+F one
   frame, Ctrl+L logging on/off, Ctrl+R record events to KELTO.SCR, Ctrl+P
   play KELTO.SCR back, Ctrl+O play one event of it, Ctrl+Q quit. */

/*-------------------------------------------------------------------------
 * Text window and logging
 *-----------------------------------------------------------------------*/

/* Logging is on from KELTO_open: every drawing call also writes a sentence
   into the text window. That costs about what formatting the sentence with
   printf does (well under a microsecond), many times the drawing of a pixel
   (a few nanoseconds). Switch it off with KELTO_logging(0), or Ctrl+L while
   the program runs. */
int KELTO_logging(int on);     /* Non-zero: describe every drawing call in the text window. */
int KELTO_show_text(int show); /* Shows (1) or hides (0) the text window; was it visible? */
/* Prints like printf into the text window, which keeps the last 25 lines. */
int KELTO_printf(const char *format, ...) KELTO_PRINTF_FORMAT(1, 2);
/* Asks the user for a line of text in a small dialog; buffer must hold 256
   bytes. Returns 1, or 0 if the dialog could not be shown. */
int KELTO_gets(const char *prompt, char *buffer);

/*-------------------------------------------------------------------------
 * Colours (the palette indices)
 *-----------------------------------------------------------------------*/

#define BLACK 0
#define WHITE 1
#define RED 2
#define GREEN 3
#define BLUE 4
#define YELLOW 5
#define MAGENTA 6
#define CYAN 7
#define PURPLE 8
#define NAVY_BLUE 9
#define DUSTY_PLUM 10
#define ICE_BLUE 11
#define TURQUOISE 12
#define ORANGE 13
#define BROWN 14
#define PINK 15
#define CHALK 16
#define GOLD 17
#define PEACH 18
#define FOREST_GREEN 19
#define SEA_GREEN 20
#define OLIVE 21
#define GRAY_50 22
#define GRAY_20 23

/*-------------------------------------------------------------------------
 * Drawing (all return 1; the printf forms return the length of the text)
 *
 * Every call draws into the picture at once; the window shows it after the
 * next KELTO_await_event. width 0 means a filled shape; a larger width draws
 * an outline that many pixels thick. Text size is the character height in
 * pixels, 0..127 (0 picks a default). A colour outside 0..23, or a negative
 * width, radius or size, is corrected and the correction printed. With
 * logging on (as it starts), every call also describes itself in the text
 * window, which makes it far slower: see KELTO_logging.
 *-----------------------------------------------------------------------*/

/* A point (x, y) in the coordinates above; the _pt forms of the calls take Points. */
typedef struct Point {
    int x;
    int y;
} Point;

/* Erases the picture to white with a thin black frame. */
int KELTO_clear(void);
/* Sets one pixel. */
int KELTO_pixel(int color, int x, int y);
/* A filled disc around (x, y). */
int KELTO_circle(int color, int x, int y, int radius);
/* A triangle through three corners. */
int KELTO_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width);
/* A rectangle between two opposite corners, both included. */
int KELTO_rectangle(int color, int x1, int y1, int x2, int y2, int width);
/* The ellipse that fits the box between two opposite corners. */
int KELTO_oval(int color, int x1, int y1, int x2, int y2, int width);
/* A line from (x1, y1) to (x2, y2); width 0 draws it 1 pixel wide. */
int KELTO_line(int color, int x1, int y1, int x2, int y2, int width);
/* Text standing on (x, y); each newline starts a line below the first. */
int KELTO_text(int color, int x, int y, int size, const char *text);
/* KELTO_text with printf formatting (at most 1023 characters). */
int KELTO_text_printf(int color, int x, int y, int size, const char *format, ...)
    KELTO_PRINTF_FORMAT(5, 6);

/* The same calls taking Points instead of x, y pairs. */
int KELTO_pixel_pt(int color, Point p);
int KELTO_circle_pt(int color, Point centre, int radius);
int KELTO_triangle_pt(int color, Point p1, Point p2, Point p3, int width);
int KELTO_rectangle_pt(int color, Point p1, Point p2, int width);
int KELTO_oval_pt(int color, Point p1, Point p2, int width);
int KELTO_line_pt(int color, Point p1, Point p2, int width);
int KELTO_text_pt(int color, Point anchor, int size, const char *text);
int KELTO_text_printf_pt(int color, Point anchor, int size, const char *format, ...)
    KELTO_PRINTF_FORMAT(4, 5);

int KELTO_undo(void); /* No longer supported: prints a note and does nothing. */

#ifdef __cplusplus
}
#endif

#endif /* KELTO_H */
