// Whether the processor's upper vector state (the upper halves of the YMM
// and ZMM registers) is in use on this thread, read from XINUSE
// (XGETBV with ECX=1) where the processor offers it. While that state is in
// use, SSE code that does not clear it first may run slower: what vzeroupper
// is for.
#pragma once

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace kelto::bench {

enum class UpperState { Clean, InUse, Unknown };

inline UpperState upper_vector_state() {
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    constexpr unsigned kOsXsave = 1u << 27;    // CPUID 1, ECX
    constexpr unsigned kXgetbvEcx1 = 1u << 2;  // CPUID 0xD/1, EAX
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || !(ecx & kOsXsave)) return UpperState::Unknown;
    if (!__get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx) || !(eax & kXgetbvEcx1))
        return UpperState::Unknown;
    std::uint32_t low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1u));
    // Components 2 (YMM upper halves), 6 (ZMM upper halves) and 7 (ZMM16-31).
    constexpr std::uint32_t kUpperComponents = (1u << 2) | (1u << 6) | (1u << 7);
    return (low & kUpperComponents) != 0 ? UpperState::InUse : UpperState::Clean;
#else
    return UpperState::Unknown;
#endif
}

}  // namespace kelto::bench
