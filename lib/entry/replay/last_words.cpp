// The handler of the fatal signals. It runs on a stack of its own (a
// program that recursed too deep has none left), makes async-signal-safe
// calls only, writes once even if a second signal comes, and then lets the
// signal end the process as it would have, so the exit status is unchanged.
#include "replay/last_words.h"

#include <signal.h>
#include <unistd.h>

#include "replay/stored_png.h"
#include "replay/write_all.h"

namespace kelto::replay {

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE,  SIGILL, SIGABRT,
                                 SIGTERM, SIGINT, SIGXCPU, SIGTRAP};

LastWords words;
const Image *volatile shown_image = nullptr;
volatile sig_atomic_t writing = 0;
alignas(16) char handler_stack[64 * 1024];

bool write_console(int descriptor) {
    for (const std::string &line : *words.printed) {
        if (!write_all(descriptor, line.data(), line.size())) return false;
        if ((line.empty() || line.back() != '\n') && !write_all(descriptor, "\n", 1)) return false;
    }
    return true;
}

void on_fatal_signal(int number) {
    if (!writing) {
        writing = 1;
        const Image *shown = shown_image;
        if (words.png) {
            const bool written = shown && write_stored_png(words.png->descriptor(), *shown);
            words.png->finish_in_signal_handler(written);
        }
        if (words.console)
            words.console->finish_in_signal_handler(write_console(words.console->descriptor()));
    }
    // The handler was reset on entry: raised again, the signal does what it
    // would have done without it once this handler returns.
    ::raise(number);
}

}  // namespace

void keep_last_words(const LastWords &kept) {
    words = kept;
    prepare_stored_png();
    stack_t stack{};
    stack.ss_sp = handler_stack;
    stack.ss_size = sizeof handler_stack;
    ::sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = on_fatal_signal;
    action.sa_flags = static_cast<int>(SA_RESETHAND | SA_ONSTACK);
    ::sigemptyset(&action.sa_mask);
    for (const int number : kFatalSignals) ::sigaddset(&action.sa_mask, number);
    for (const int number : kFatalSignals) ::sigaction(number, &action, nullptr);
}

void note_shown(const Image *shown) {
    shown_image = shown;
}

}  // namespace kelto::replay
