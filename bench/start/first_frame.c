/* Times a program's start to its first frame: starts the program, watches
 * one pixel of the X screen until it has the given colour, prints the
 * milliseconds that took and ends the program. Used by
 * scripts/measure-windows-start.sh on a virtual X server.
 * Usage: first_frame RRGGBB X Y PROGRAM [ARGUMENT...] */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

int main(int argc, char **argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: %s RRGGBB X Y PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    const unsigned long colour = strtoul(argv[1], NULL, 16);
    const int x = atoi(argv[2]);
    const int y = atoi(argv[3]);
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "first_frame: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    /* Polled every millisecond: a tool that measures, not one that waits. */
    const struct timespec pause = {0, 1000000};
    double found = -1;
    while (now_ms() - start < 60000) {
        XImage *image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = image ? XGetPixel(image, 0, 0) & 0xFFFFFF : 0;
        if (image) XDestroyImage(image);
        if (pixel == colour) {
            found = now_ms() - start;
            break;
        }
        if (waitpid(child, NULL, WNOHANG) == child) break;
        nanosleep(&pause, NULL);
    }
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    if (found < 0) {
        fprintf(stderr, "first_frame: the colour never showed at (%d, %d)\n", x, y);
        return 1;
    }
    printf("%.0f\n", found);
    return 0;
}
