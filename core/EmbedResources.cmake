# Writes a C++ source that holds the bytes of the built-in resource files.
# Run as: cmake -DOUTPUT=<file.cpp> -DINPUTS=<a.xml;b.xml> -P EmbedResources.cmake
set(body "")
set(table "")
set(index 0)
list(SORT INPUTS)
foreach(input IN LISTS INPUTS)
  get_filename_component(name ${input} NAME)
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(APPEND body "constexpr char kFile${index}[] = {\n    ${bytes}'\\0'};\n")
  string(APPEND table "    {\"${name}\", std::string_view(kFile${index}, ${size})},\n")
  math(EXPR index "${index} + 1")
endforeach()
if(index EQUAL 0)
  set(table "    {\"\", std::string_view()},\n")
endif()
file(WRITE ${OUTPUT}.tmp "// Generated from resources/builtin when the library is built; do not edit.
#include \"core/BuiltinResources.h\"

namespace {
${body}
constexpr BuiltinResourceFile kFiles[] = {
${table}};
}  // namespace

std::span<const BuiltinResourceFile> BuiltinResourceFiles() { return {kFiles, ${index}}; }
")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.tmp ${OUTPUT})
file(REMOVE ${OUTPUT}.tmp)
