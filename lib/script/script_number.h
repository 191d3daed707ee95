// The number scan of the script reader: finds the next decimal number in a line.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelto::script {

struct ScannedNumber {
    int value;
    std::size_t end;  // index just after the number's characters: where a following scan starts
};

// Skips every character of `line` from `from` on that cannot start the number
// (anything but a digit, or "-" where `minus_allowed`), takes the whole run of
// such characters, and converts it as the standard decimal conversion would:
// an optional minus sign, then digits up to the first other character ("-12"
// is -12, "1-2" is 1, "--3" is 0). A value beyond the int range is clamped to
// it. With no number left in the line the value is 0 and `end` is the line's
// length. Never looks past the end of `line`.
ScannedNumber scan_number(std::string_view line, std::size_t from, bool minus_allowed);

}  // namespace kelto::script
