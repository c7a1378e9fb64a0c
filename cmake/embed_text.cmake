# Writes a C++ source that holds a text file's bytes as one array, so that a
# page the program writes carries its script and style in the program itself:
#   cmake -DINPUT=page.html -DOUTPUT=page_template.cpp -DNAME=PhonePageTemplate -P embed_text.cmake
# The array ends with a 0 that the text does not count (NAME + "Size").
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUTPUT}.new" "// Made by cmake/embed_text.cmake from ${INPUT}; do not edit.\n#include <cstddef>\n\nnamespace nk {\nextern const char ${NAME}[] = {\n  ${bytes}'\\0'};\nextern const size_t ${NAME}Size = ${size};\n}  // namespace nk\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
