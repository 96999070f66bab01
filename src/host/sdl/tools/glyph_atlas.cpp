// Build-time tool: renders the letters the game shows into a C++ source of alpha bitmaps, so that
// the game needs no font renderer and reads no font when it runs.
//   glyph_atlas notice FONT|- OUT.cpp   the warning box's letters ("-": no font, an empty atlas)
//   glyph_atlas score FONT OUT.cpp      the score's digits, at the label's size
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "host/sdl/message_box.h"
#include "host/sdl/utf8.h"
#include "ui/controls.h"
#include "ui/forms.h"

namespace {

constexpr int kNoticePixels = 16;

struct Atlas {
  std::string function;  // the accessor that the generated source defines
  int pixels;
  std::vector<char32_t> letters;
};

std::vector<char32_t> Letters(std::initializer_list<std::string_view> texts) {
  std::vector<char32_t> letters;
  for (const std::string_view text : texts) {
    for (const char32_t cp : host::sdl::CodePoints(text)) letters.push_back(cp);
  }
  std::sort(letters.begin(), letters.end());
  letters.erase(std::unique(letters.begin(), letters.end()), letters.end());
  return letters;
}

// The score is a count that never goes below 0, so its caption holds decimal digits only.
Atlas AtlasFor(const std::string& kind) {
  if (kind == "notice") {
    return {"NoticeGlyphs", kNoticePixels,
            Letters({ui::kAlreadyRunningText, ui::kAlreadyRunningTitle, host::sdl::kOkCaption})};
  }
  return {"ScoreGlyphs", ui::kLabelFontPixels, Letters({"0123456789"})};
}

// One glyph's bitmap as an array definition; its metrics go to the table.
std::string RenderGlyph(TTF_Font* font, char32_t cp, int index, std::string& table) {
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  TTF_GlyphMetrics32(font, cp, &minX, &maxX, &minY, &maxY, &advance);
  SDL_Surface* rendered = TTF_RenderGlyph32_Blended(font, cp, SDL_Color{255, 255, 255, 255});
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  std::ostringstream bytes;
  for (int y = 0; y < TTF_FontHeight(font); ++y) {
    // Rows below the rendered glyph, if any, stay clear.
    const auto* row =
        y < argb->h ? reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) +
                                                      static_cast<std::ptrdiff_t>(y) * argb->pitch)
                    : nullptr;
    for (int x = 0; x < argb->w; ++x) bytes << (row ? row[x] >> 24 : 0) << ',';
    bytes << '\n';
  }
  table += "    {" + std::to_string(cp) + ", " + std::to_string(argb->w) + ", " +
           std::to_string(advance) + ", " + std::to_string(TTF_FontAscent(font) - maxY) + ", " +
           std::to_string(maxY - minY) + ", kGlyph" + std::to_string(index) + "},\n";
  SDL_FreeSurface(argb);
  return "const unsigned char kGlyph" + std::to_string(index) + "[] = {\n" + bytes.str() + "};\n";
}

std::string AtlasSource(const Atlas& atlas, TTF_Font* font) {
  std::string glyphs, table;
  int index = 0;
  if (font) {
    for (const char32_t cp : atlas.letters) glyphs += RenderGlyph(font, cp, index++, table);
  }
  const int lineHeight = font ? TTF_FontHeight(font) : 0;
  return "// Generated at build time by glyph_atlas. Do not edit.\n"
         "#include \"host/sdl/glyph_atlas.h\"\n\nnamespace host::sdl {\nnamespace {\n" +
         glyphs + "const AtlasGlyph kGlyphs[] = {\n" + table +
         "    {0, 0, 0, 0, 0, nullptr},\n};\n}  // namespace\n\n"
         "const GlyphAtlas& " +
         atlas.function + "() {\n  static const GlyphAtlas atlas{" + std::to_string(lineHeight) +
         ", {kGlyphs, std::size(kGlyphs) - 1}};\n  return atlas;\n}\n\n"
         "}  // namespace host::sdl\n";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc == 4 ? argv[1] : "";
  if (kind != "notice" && kind != "score") {
    std::cerr << "usage: glyph_atlas notice FONT|- OUT.cpp | glyph_atlas score FONT OUT.cpp\n";
    return 2;
  }
  const Atlas atlas = AtlasFor(kind);
  const std::string fontPath = argv[2];
  TTF_Font* font = nullptr;
  if (fontPath != "-" || kind == "score") {
    if (TTF_Init() != 0 || !(font = TTF_OpenFont(fontPath.c_str(), atlas.pixels))) {
      std::cerr << "glyph_atlas: cannot open " << fontPath << ": " << TTF_GetError() << '\n';
      return 1;
    }
  }
  std::ofstream(argv[3]) << AtlasSource(atlas, font);
  if (font) {
    TTF_CloseFont(font);
    TTF_Quit();
  }
  return 0;
}
