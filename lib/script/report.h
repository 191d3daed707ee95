// Console lines of the script module, handed to the report hook.
#pragma once

namespace kelto::script {

// Formats one line like printf and hands it to the report hook.
void report(const char *format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kelto::script
