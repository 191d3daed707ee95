// The process entry of a display whose toolkit needs the process's main
// thread (Qt): the program's main routine runs on a thread of its own, the
// program thread, which owns all library state; the main thread waits until
// the program first opens a window and then runs the toolkit there.
#pragma once

#include <functional>

namespace kelto::platform {

// Runs `program` on the program thread and ends the process with its status
// when it returns; never returns itself.
[[noreturn]] void run_on_program_thread(std::function<int()> program);

}  // namespace kelto::platform
