// The score label's face: the embedded bold sans-serif at the label's pixel size, drawn in the
// label's colour with a transparent background.
#pragma once

#include <SDL_render.h>
#include <SDL_ttf.h>

#include <string>

#include "host/sdl/pictures.h"
#include "ui/controls.h"

namespace host::sdl {

class ScoreFont {
 public:
  explicit ScoreFont(int pixels);
  ~ScoreFont();
  ScoreFont(const ScoreFont&) = delete;
  ScoreFont& operator=(const ScoreFont&) = delete;

  bool ok() const { return font_ != nullptr; }
  // Draws the caption from the label's left edge, its digits centred in the label's height.
  void Draw(SDL_Renderer* renderer, const ui::Label& label);

 private:
  TTF_Font* font_ = nullptr;
  int digitTop_ = 0;     // from the top of a rendered line to the top of a digit
  int digitHeight_ = 0;  // of a digit's ink
  std::string cachedCaption_;
  SDL_Renderer* cachedRenderer_ = nullptr;
  TexturePtr cached_;
};

}  // namespace host::sdl
