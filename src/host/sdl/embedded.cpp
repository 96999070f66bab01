#include "host/sdl/embedded.h"

namespace host::sdl {

std::span<const unsigned char> FindEmbedded(std::string_view name) {
  for (const EmbeddedFile& file : EmbeddedFiles()) {
    if (file.name == name) return {file.bytes, file.size};
  }
  return {};
}

}  // namespace host::sdl
