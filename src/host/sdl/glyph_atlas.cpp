#include "host/sdl/glyph_atlas.h"

#include <algorithm>
#include <vector>

#include "host/sdl/utf8.h"

namespace host::sdl {

bool GlyphAtlas::Holds(std::string_view text) const {
  const std::vector<char32_t> letters = CodePoints(text);
  return std::all_of(letters.begin(), letters.end(),
                     [&](char32_t cp) { return Find(cp) != nullptr; });
}

int GlyphAtlas::TextWidth(std::string_view text) const {
  int width = 0;
  for (const char32_t cp : CodePoints(text)) {
    if (const AtlasGlyph* glyph = Find(cp)) width += glyph->advance;
  }
  return width;
}

SurfacePtr GlyphAtlas::Render(std::string_view text, SDL_Color color) const {
  const int width = TextWidth(text);
  if (!Holds(text) || width <= 0) return nullptr;
  SurfacePtr surface(
      SDL_CreateRGBSurfaceWithFormat(0, width, lineHeight, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!surface) return nullptr;
  SDL_FillRect(surface.get(), nullptr, 0);
  const Uint32 rgb = static_cast<Uint32>(color.r) << 16 | static_cast<Uint32>(color.g) << 8 |
                     static_cast<Uint32>(color.b);
  int x = 0;
  for (const char32_t cp : CodePoints(text)) {
    const AtlasGlyph& glyph = *Find(cp);
    for (int y = 0; y < lineHeight; ++y) {
      auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                            static_cast<std::ptrdiff_t>(y) * surface->pitch);
      // Where neighbours overlap, the stronger ink wins.
      for (int gx = 0; gx < glyph.width && x + gx < width; ++gx) {
        const Uint32 alpha = glyph.alpha[static_cast<std::ptrdiff_t>(y) * glyph.width + gx];
        if (alpha > (row[x + gx] >> 24)) row[x + gx] = alpha << 24 | rgb;
      }
    }
    x += glyph.advance;
  }
  return surface;
}

}  // namespace host::sdl
