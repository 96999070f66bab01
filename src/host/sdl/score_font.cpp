#include "host/sdl/score_font.h"

#include "host/sdl/glyph_atlas.h"

namespace host::sdl {

ScoreFont::ScoreFont(int pixels) {
  const AtlasGlyph* zero = ScoreGlyphs().Find('0');
  if (!zero || pixels != ui::kLabelFontPixels) return;
  ok_ = true;
  digitTop_ = zero->inkTop;
  digitHeight_ = zero->inkHeight;
}

void ScoreFont::Draw(SDL_Renderer* renderer, const ui::Label& label) {
  if (!ok_ || label.caption().empty()) return;
  if (!cached_ || cachedCaption_ != label.caption() || cachedRenderer_ != renderer) {
    const SDL_Color color{static_cast<Uint8>(label.foreColor.r),
                          static_cast<Uint8>(label.foreColor.g),
                          static_cast<Uint8>(label.foreColor.b), 255};
    const SurfacePtr text = ScoreGlyphs().Render(label.caption(), color);
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
