#include "host/sdl/painter.h"

namespace host::sdl {
namespace {

void DrawPicture(SDL_Renderer* renderer, PictureTextures& pictures, const ui::PictureRef& picture,
                 int left, int top) {
  if (!picture) return;
  SDL_Texture* texture = pictures.Get(*picture);
  if (!texture) return;
  const SDL_Rect where{left, top, picture->width, picture->height};
  SDL_RenderCopy(renderer, texture, nullptr, &where);
}

void DrawImage(SDL_Renderer* renderer, PictureTextures& pictures, const ui::Image& image) {
  if (image.visible()) DrawPicture(renderer, pictures, image.picture(), image.left(), image.top());
}

// Each one-pixel ring as four filled strips, so that a scaled renderer draws it crisp.
void DrawRing(SDL_Renderer* renderer, int left, int top, const ui::PictureBox::Rect& r) {
  const int x1 = left + r.x1, y1 = top + r.y1, x2 = left + r.x2, y2 = top + r.y2;
  const SDL_Rect strips[] = {{x1, y1, x2 - x1 + 1, 1},
                             {x1, y2, x2 - x1 + 1, 1},
                             {x1, y1, 1, y2 - y1 + 1},
                             {x2, y1, 1, y2 - y1 + 1}};
  SDL_RenderFillRects(renderer, strips, 4);
}

void DrawButton(SDL_Renderer* renderer, PictureTextures& pictures, const ui::PictureBox& button) {
  DrawPicture(renderer, pictures, button.picture(), button.left(), button.top());
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  for (const ui::PictureBox::Rect& ring : button.drawn()) {
    DrawRing(renderer, button.left(), button.top(), ring);
  }
}

}  // namespace

void PaintMain(SDL_Renderer* renderer, PictureTextures& pictures, ScoreFont& font,
               const ui::Form1& form) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  DrawPicture(renderer, pictures, form.picture, 0, 0);
  for (const ui::Image& cell : form.imgBlock) DrawImage(renderer, pictures, cell);
  for (const ui::Image& next : form.imgNextBlock) DrawImage(renderer, pictures, next);
  DrawImage(renderer, pictures, form.imgSeason);
  DrawButton(renderer, pictures, form.btStart);
  font.Draw(renderer, form.labelScore);
}

void PaintPromo(SDL_Renderer* renderer, PictureTextures& pictures, const ui::FrmCM& form) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  DrawPicture(renderer, pictures, form.picture, 0, 0);
}

}  // namespace host::sdl
