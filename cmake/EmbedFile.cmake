# cmake -DINPUT=<file> -DOUTPUT=<source> -DNAMESPACE=<ns> -DSYMBOL=<name> -P EmbedFile.cmake
# Writes a C++ source defining <ns>::<name> (the file's bytes) and <ns>::<name>_size.
file(READ "${INPUT}" content HEX)
string(LENGTH "${content}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
    "// Made from ${INPUT} when building; do not edit.\n"
    "#include <cstddef>\n\n"
    "namespace ${NAMESPACE}\n{\n\n"
    "extern const unsigned char ${SYMBOL}[] = {\n    ${bytes}0x00};\n"
    "extern const std::size_t ${SYMBOL}_size = ${size};\n\n"
    "} // namespace ${NAMESPACE}\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
