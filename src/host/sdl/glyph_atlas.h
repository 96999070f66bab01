// Letters rendered at build time from a font (tools/glyph_atlas.cpp), so that the game draws the
// same text on every system and reads no font when it runs: the warning box's letters and the
// score's digits.
#pragma once

#include <SDL_pixels.h>

#include <span>
#include <string_view>

#include "host/sdl/pictures.h"

namespace host::sdl {

struct AtlasGlyph {
  char32_t codePoint;
  int width;                   // of the bitmap
  int advance;                 // to the next letter's origin
  int inkTop;                  // rows from the top of the line to the top of the letter's ink
  int inkHeight;               // rows of ink
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
  // Whether every letter of the text is in the atlas.
  bool Holds(std::string_view text) const;
  int TextWidth(std::string_view text) const;  // of letters the atlas holds
  // The text in one colour on a clear surface one line high; null when the atlas lacks a letter.
  SurfacePtr Render(std::string_view text, SDL_Color color) const;
};

// Empty when the build found no Japanese font.
const GlyphAtlas& NoticeGlyphs();
// The digits of the score, at the label's size.
const GlyphAtlas& ScoreGlyphs();

}  // namespace host::sdl
