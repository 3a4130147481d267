# Writes a C++ source file that defines a byte array holding a file's contents.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=kName -DNAMESPACE=ns -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT} by embed_file.cmake.\n#include <cstddef>\n\n"
     "namespace ${NAMESPACE} {\nextern const unsigned char ${NAME}[] = {\n${bytes}};\n"
     "extern const std::size_t ${NAME}Size = ${size};\n}\n")
