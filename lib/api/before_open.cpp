// The hints of calls made before KELTO_open, and which have been given.
#include "api/before_open.h"

#include <bitset>
#include <string>

#include "platform/system.h"

namespace kelto {

namespace {

constexpr std::size_t kEarlyCalls = static_cast<std::size_t>(EarlyCall::AwaitEvent) + 1;

// The calls already hinted: the calls' own part of the process-wide state.
std::bitset<kEarlyCalls> &hinted() {
    static std::bitset<kEarlyCalls> calls;
    return calls;
}

const char *what_it_does(EarlyCall call) {
    switch (call) {
        case EarlyCall::AwaitEvent: return "returns KELTO_QUIT at once";
        case EarlyCall::Clear: return "clears nothing";
        default: return "draws nothing";
    }
}

}  // namespace

void hint_called_before_open(EarlyCall call, const char *name) {
    const auto index = static_cast<std::size_t>(call);
    if (hinted().test(index)) return;
    hinted().set(index);
    platform::hint(std::string(name) + " was called before KELTO_open and " + what_it_does(call) +
                   ": call KELTO_open first, at the start of KELTO_main.");
}

}  // namespace kelto
