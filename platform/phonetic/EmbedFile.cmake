# Writes OUT, a C++ source that defines NAME, the bytes of IN (zero-terminated), and SIZE_NAME,
# their count without the terminator. cmake -DIN=... -DOUT=... -DNAME=... -DSIZE_NAME=... -P
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUT}"
    "// Generated from ${IN}; do not edit.\n#include <cstddef>\n"
    "extern const unsigned char ${NAME}[] = {${bytes}0};\n"
    "extern const std::size_t ${SIZE_NAME} = ${size};\n")
