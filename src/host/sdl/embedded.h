// The pictures, built into the program as bytes.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace host::sdl {

struct EmbeddedFile {
  std::string_view name;  // the file's name without directory or extension
  const unsigned char* bytes;
  std::size_t size;
};

std::span<const EmbeddedFile> EmbeddedFiles();

// The file of that name; empty when it was missing at build time.
std::span<const unsigned char> FindEmbedded(std::string_view name);

}  // namespace host::sdl
