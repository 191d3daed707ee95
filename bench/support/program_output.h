// Runs a program to its end and returns what it wrote to standard output,
// for benchmarks that measure inside another process. A program that has
// not ended within the bound is killed and counts as failed.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

extern char **environ;

namespace kelto::bench {

// The program's standard output if it exited with status 0 within `bound`;
// otherwise nothing, and `problem` says what went wrong.
inline std::optional<std::string> program_output(std::vector<std::string> arguments,
                                                 std::chrono::milliseconds bound,
                                                 std::string &problem) {
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) {
        problem = "no pipe for " + arguments.front();
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    std::vector<char *> argv;
    for (std::string &argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    if (spawned != 0) {
        close(pipe_ends[0]);
        problem = "cannot start " + arguments.front();
        return std::nullopt;
    }
    std::string output;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    bool ended = false, late = false;
    while (!ended && !late) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{pipe_ends[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) == 0) {
            late = true;
            break;
        }
        char buffer[4096];
        const ssize_t got = read(pipe_ends[0], buffer, sizeof buffer);
        if (got > 0)
            output.append(buffer, static_cast<std::size_t>(got));
        else
            ended = got == 0;
    }
    close(pipe_ends[0]);
    if (late) kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (late) {
        problem =
            arguments.front() + " did not end within " + std::to_string(bound.count()) + " ms";
        return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        problem = arguments.front() + " failed (status " + std::to_string(status) + ")";
        return std::nullopt;
    }
    return output;
}

}  // namespace kelto::bench
