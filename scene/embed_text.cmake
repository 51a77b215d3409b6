# Writes a text file into a C++ source as a function returning its contents.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=name -DNAMESPACE=ns -P embed_text.cmake
file(READ "${INPUT}" content)
string(LENGTH "${content}" length)
# Raw string pieces of at most 16 KiB each keep every compiler happy.
set(pieces "")
set(offset 0)
while(offset LESS length)
  string(SUBSTRING "${content}" ${offset} 16384 piece)
  string(APPEND pieces "    R\"~~~~(${piece})~~~~\"\n")
  math(EXPR offset "${offset} + 16384")
endwhile()
if(pieces STREQUAL "")
  set(pieces "    \"\"\n")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.\n#include <string_view>\n\nnamespace ${NAMESPACE} {\n\nstd::string_view ${FUNCTION}() {\n    static constexpr char text[] =\n${pieces}    ;\n    return {text, sizeof text - 1};\n}\n\n} // namespace ${NAMESPACE}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
