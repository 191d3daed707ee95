// Grabbing the program thread's picture while it is suspended.
#include "platform/win32/suspend_grab.h"

namespace kelto::platform {

SuspendGrab::SuspendGrab() {
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &program_,
                    THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, 0);
}

SuspendGrab::~SuspendGrab() {
    if (program_) CloseHandle(program_);
}

bool SuspendGrab::grab(Image &into) {
    if (!program_ || SuspendThread(program_) == static_cast<DWORD>(-1)) return false;
    // SuspendThread only asks; reading the thread's context waits until it
    // has stopped.
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(program_, &context);
    const bool copied = copy_source(into);
    ResumeThread(program_);
    return copied;
}

}  // namespace kelto::platform
