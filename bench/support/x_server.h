// A virtual X server (Xvfb) for a benchmark that runs a desktop program
// where there is no display: started on a free display number, which it
// names once it accepts connections, and stopped with the object.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char **environ;

namespace kelto::bench {

class XServer {
public:
    // Starts Xvfb from the PATH; running() tells whether it came up.
    XServer() {
        int pipe_ends[2];
        if (pipe2(pipe_ends, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], 3);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        char program[] = "Xvfb", displayfd[] = "-displayfd", three[] = "3", screen[] = "-screen",
             zero[] = "0", size[] = "1024x768x24", nolisten[] = "-nolisten", tcp[] = "tcp";
        char *argv[] = {program, displayfd, three, screen, zero, size, nolisten, tcp, nullptr};
        if (posix_spawnp(&pid_, program, &actions, nullptr, argv, environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        close(pipe_ends[1]);
        // The display number, then a newline, once the server is ready.
        std::string number;
        pollfd readable{pipe_ends[0], POLLIN, 0};
        char c = 0;
        while (pid_ != 0 && poll(&readable, 1, kStartBoundMs) == 1 &&
               read(pipe_ends[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipe_ends[0]);
        if (c == '\n' && !number.empty()) display_ = ":" + number;
    }
    ~XServer() {
        if (pid_ == 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool running() const { return !display_.empty(); }
    // The value for DISPLAY, e.g. ":1".
    const std::string &display() const { return display_; }

private:
    static constexpr int kStartBoundMs = 20000;
    pid_t pid_ = 0;
    std::string display_;
};

}  // namespace kelto::bench
