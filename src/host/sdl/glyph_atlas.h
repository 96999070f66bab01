// The warning box's letters, rendered at build time from a Japanese font, so that the box reads
// the same on every system and nothing is read from a file when it shows.
#pragma once

#include <span>

namespace host::sdl {

struct AtlasGlyph {
  char32_t codePoint;
  int width;                   // of the bitmap
  int advance;                 // to the next letter's origin
  const unsigned char* alpha;  // width x the atlas's line height, row by row
};

struct GlyphAtlas {
  int lineHeight = 0;
  std::span<const AtlasGlyph> glyphs;

  const AtlasGlyph* Find(char32_t codePoint) const {
    for (const AtlasGlyph& glyph : glyphs) {
      if (glyph.codePoint == codePoint) return &glyph;
    }
    return nullptr;
  }
};

// Empty when the build found no Japanese font.
const GlyphAtlas& NoticeGlyphs();

}  // namespace host::sdl
