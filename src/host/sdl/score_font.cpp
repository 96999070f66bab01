#include "host/sdl/score_font.h"

#include "host/sdl/embedded.h"

namespace host::sdl {

ScoreFont::ScoreFont(int pixels) {
  const std::span<const unsigned char> bytes = FindEmbedded(kScoreFontName);
  if (bytes.empty()) return;
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  // At SDL_ttf's 72 dpi a point is a pixel, so this is the face's size in pixels.
  font_ = TTF_OpenFontRW(stream, 1, pixels);
  if (!font_) return;
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  TTF_GlyphMetrics32(font_, '0', &minX, &maxX, &minY, &maxY, &advance);
  digitTop_ = TTF_FontAscent(font_) - maxY;
  digitHeight_ = maxY - minY;
}

ScoreFont::~ScoreFont() {
  cached_.reset();
  if (font_) TTF_CloseFont(font_);
}

void ScoreFont::Draw(SDL_Renderer* renderer, const ui::Label& label) {
  if (!font_ || label.caption().empty()) return;
  if (!cached_ || cachedCaption_ != label.caption() || cachedRenderer_ != renderer) {
    const SDL_Color color{static_cast<Uint8>(label.foreColor.r),
                          static_cast<Uint8>(label.foreColor.g),
                          static_cast<Uint8>(label.foreColor.b), 255};
    const SurfacePtr text(TTF_RenderUTF8_Blended(font_, label.caption().c_str(), color));
    if (!text) return;
    cached_.reset(SDL_CreateTextureFromSurface(renderer, text.get()));
    cachedCaption_ = label.caption();
    cachedRenderer_ = renderer;
  }
  int width = 0, height = 0;
  SDL_QueryTexture(cached_.get(), nullptr, nullptr, &width, &height);
  const int top = label.top() + (label.height() - digitHeight_) / 2 - digitTop_;
  const SDL_Rect where{label.left(), top, width, height};
  SDL_RenderCopy(renderer, cached_.get(), nullptr, &where);
}

}  // namespace host::sdl
