#include "host/sdl/message_box.h"

#include <SDL.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>

#include "host/sdl/glyph_atlas.h"

namespace host::sdl {
namespace {

constexpr int kMargin = 24;
constexpr int kButtonWidth = 88, kButtonHeight = 26;
constexpr SDL_Color kFace{240, 240, 240, 255}, kInk{0, 0, 0, 255}, kButtonFace{225, 225, 225, 255},
    kButtonEdge{0, 120, 215, 255};

int TextWidth(std::string_view text) {
  return NoticeGlyphs().TextWidth(text);
}

void Fill(SDL_Renderer* renderer, SDL_Color color, const SDL_Rect& rect) {
  SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
  SDL_RenderFillRect(renderer, &rect);
}

}  // namespace

WarningBox::WarningBox(std::string_view text, std::string_view title, int scale)
    : text_(text), title_(title), scale_(scale) {
  if (!NoticeGlyphs().Holds(text_) || !NoticeGlyphs().Holds(kOkCaption)) return;
  const int line = NoticeGlyphs().lineHeight;
  width_ = std::max(TextWidth(text_) + 2 * kMargin, 2 * kButtonWidth);
  height_ = kMargin + line + kMargin + kButtonHeight + kMargin / 2;
  ok_ = {(width_ - kButtonWidth) / 2, height_ - kMargin / 2 - kButtonHeight, kButtonWidth,
         kButtonHeight};
  window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             width_ * scale_, height_ * scale_, SDL_WINDOW_HIDDEN);
  if (window_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_)
    SDL_RenderSetScale(renderer_, static_cast<float>(scale_), static_cast<float>(scale_));
}

WarningBox::~WarningBox() {
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

void WarningBox::RunModal() {
  if (!renderer_) return ShowFallback();
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
  SDL_SetWindowInputFocus(window_);
  Paint();
  SDL_Event event;
  while (SDL_WaitEvent(&event)) {
    if (HandleEvent(event)) break;
  }
  SDL_HideWindow(window_);
}

bool WarningBox::HandleEvent(const SDL_Event& event) {
  const int id = static_cast<int>(SDL_GetWindowID(window_));
  switch (event.type) {
    case SDL_QUIT:
      return true;
    case SDL_WINDOWEVENT:
      if (static_cast<int>(event.window.windowID) != id) return false;
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return true;
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) Paint();
      return false;
    case SDL_KEYDOWN: {
      const SDL_Keycode key = event.key.keysym.sym;
      return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE || key == SDLK_SPACE;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const SDL_Point at{event.button.x / scale_, event.button.y / scale_};
      const bool inside = SDL_PointInRect(&at, &ok_);
      const bool released = event.type == SDL_MOUSEBUTTONUP;
      if (released && pressed_ && inside) return true;
      pressed_ = !released && inside;
      Paint();
      return false;
    }
    default:
      return false;
  }
}

void WarningBox::Paint() {
  if (!renderer_) return;
  Fill(renderer_, kFace, {0, 0, width_, height_});
  DrawText(text_, kMargin, kMargin);
  Fill(renderer_, kButtonEdge, ok_);
  const SDL_Rect inner{ok_.x + 2, ok_.y + 2, ok_.w - 4, ok_.h - 4};
  Fill(renderer_, pressed_ ? kFace : kButtonFace, inner);
  const int line = NoticeGlyphs().lineHeight;
  DrawText(kOkCaption, ok_.x + (ok_.w - TextWidth(kOkCaption)) / 2, ok_.y + (ok_.h - line) / 2);
  SDL_RenderPresent(renderer_);
}

void WarningBox::DrawText(std::string_view text, int left, int top) {
  const SurfacePtr surface = NoticeGlyphs().Render(text, kInk);
  if (!surface) return;
  const TexturePtr texture(SDL_CreateTextureFromSurface(renderer_, surface.get()));
  const SDL_Rect where{left, top, surface->w, surface->h};
  SDL_RenderCopy(renderer_, texture.get(), nullptr, &where);
}

// Without the built-in letters: SDL's own box, whose core X fonts need a UTF-8 locale.
void WarningBox::ShowFallback() const {
  std::setlocale(LC_ALL, "C.UTF-8");
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title_.c_str(), text_.c_str(), nullptr);
}

}  // namespace host::sdl
