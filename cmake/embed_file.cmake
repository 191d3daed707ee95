# Script mode: writes OUTPUT, a C++ source holding the bytes of INPUT as the
# array kelto::embedded::SYMBOL and their count as SYMBOL_size. Plain C++, so
# it builds for every target platform and compiler.
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp" "// Generated from ${name} by embed_file.cmake; do not edit.
#include <cstddef>

namespace kelto::embedded {
extern const unsigned char ${SYMBOL}[] = {
${bytes}};
extern const std::size_t ${SYMBOL}_size = ${size};
}  // namespace kelto::embedded
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
