// The score label's face: bold sans-serif digits rendered at build time at the label's pixel
// size, drawn in the label's colour with a transparent background.
#pragma once

#include <SDL_render.h>

#include <string>

#include "host/sdl/pictures.h"
#include "ui/controls.h"

namespace host::sdl {

class ScoreFont {
 public:
  // Draws nothing for a label of another size than the digits were rendered at.
  explicit ScoreFont(int pixels);

  bool ok() const { return ok_; }
  // Draws the caption from the label's left edge, its digits centred in the label's height.
  void Draw(SDL_Renderer* renderer, const ui::Label& label);

 private:
  bool ok_ = false;
  int digitTop_ = 0;     // from the top of a rendered line to the top of a digit
  int digitHeight_ = 0;  // of a digit's ink
  std::string cachedCaption_;
  SDL_Renderer* cachedRenderer_ = nullptr;
  TexturePtr cached_;
};

}  // namespace host::sdl
