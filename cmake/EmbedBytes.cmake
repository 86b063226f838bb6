# Writes the bytes of INPUT as a C++ array NAME into the header OUTPUT.
file(READ ${INPUT} bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#pragma once\n"
    "inline constexpr unsigned char ${NAME}[] = {${bytes}};\n")
