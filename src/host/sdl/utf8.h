// Code points of UTF-8 text; a truncated sequence's lead byte stands for itself.
#pragma once

#include <string_view>
#include <vector>

namespace host::sdl {

inline std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra > 0 && i + extra >= text.size()) {
      out.push_back(lead);
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    out.push_back(cp);
    i += 1 + extra;
  }
  return out;
}

}  // namespace host::sdl
