# Writes the bytes of INPUT as a C++ array NAME into OUTPUT:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=identifier -P embed.cmake
# The array gets a section of its own, placed after the read-only data: in among the data that
# start-up reads, its pages would be read in with their neighbours and count against memory.
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n\n"
     "alignas(16) extern const unsigned char ${NAME}[] __attribute__((section(\"eigo_lazy\"))) = {\n    ${bytes}\n};\n")
