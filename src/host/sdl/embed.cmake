# Turns files into bytes in a C++ source, so the game reads nothing from disk when it runs.
# Usage: cmake -DOUT=file.cpp -DFILES="a.bmp|b.bmp" -P embed.cmake
# Each file is known by its name without directory or extension.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(table "")
set(index 0)
foreach(path IN LISTS FILES)
  if(path STREQUAL "")
    continue()
  endif()
  get_filename_component(name "${path}" NAME_WE)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
         "\\1\n" bytes "${bytes}")
  string(APPEND body "const unsigned char kFile${index}[] = {\n${bytes}};\n")
  string(APPEND table "    {\"${name}\", kFile${index}, sizeof kFile${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUT}.tmp" "// Generated at build time from the game's pictures. Do not edit.
#include \"host/sdl/embedded.h\"

namespace host::sdl {
namespace {
${body}
const EmbeddedFile kFiles[] = {
${table}    {\"\", nullptr, 0},
};
}  // namespace

std::span<const EmbeddedFile> EmbeddedFiles() { return {kFiles, std::size(kFiles) - 1}; }

}  // namespace host::sdl
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
