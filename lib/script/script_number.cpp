// The number scan of the script reader, safe for any line and any run length.
#include "script/script_number.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kelto::script {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool in_run(char c, bool minus_allowed) {
    return is_digit(c) || (minus_allowed && c == '-');
}

// An optional minus sign, then digits up to the first other character. The
// magnitude saturates just past the int range, so no run can overflow.
int convert(std::string_view run) {
    constexpr int64_t kSaturated = int64_t{std::numeric_limits<int>::max()} + 1;
    std::size_t i = 0;
    const bool negative = !run.empty() && run[0] == '-';
    if (negative) ++i;
    int64_t magnitude = 0;
    for (; i < run.size() && is_digit(run[i]); ++i)
        magnitude = std::min(magnitude * 10 + (run[i] - '0'), kSaturated);
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

}  // namespace

ScannedNumber scan_number(std::string_view line, std::size_t from, bool minus_allowed) {
    std::size_t start = std::min(from, line.size());
    while (start < line.size() && !in_run(line[start], minus_allowed)) ++start;
    std::size_t end = start;
    while (end < line.size() && in_run(line[end], minus_allowed)) ++end;
    return ScannedNumber{convert(line.substr(start, end - start)), end};
}

}  // namespace kelto::script
