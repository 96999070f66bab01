// Draws a window from its form's controls, in the design's 320 x 400 pixels; the renderer's
// scale makes them larger on a high-density screen.
#pragma once

#include <SDL_render.h>

#include "host/sdl/pictures.h"
#include "host/sdl/score_font.h"
#include "ui/forms.h"

namespace host::sdl {

void PaintMain(SDL_Renderer* renderer, PictureTextures& pictures, ScoreFont& font,
               const ui::Form1& form);
void PaintPromo(SDL_Renderer* renderer, PictureTextures& pictures, const ui::FrmCM& form);

}  // namespace host::sdl
