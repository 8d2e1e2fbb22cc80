# Writes the bytes of INPUT as a C++ array NAME into OUTPUT:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=identifier -P embed.cmake
# The array gets a section of its own, placed after the read-only data and starting on a 64 KiB
# boundary: a page read in brings its neighbours within such a window with it, so in among (or
# next to) the data that start-up reads, its pages would count against memory.
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n\n"
     "alignas(65536) extern const unsigned char ${NAME}[] __attribute__((section(\"eigo_lazy\"))) = {\n    ${bytes}\n};\n")
