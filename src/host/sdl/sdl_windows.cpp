// The two windows: shown and placed from their forms, redrawn when their controls change.
#include <SDL.h>

#include <chrono>
#include <cmath>

#include "host/sdl/painter.h"
#include "host/sdl/sdl_host.h"
#include "host/sdl/tool_window.h"

namespace host::sdl {
namespace {

// On the steady clock, so that a benchmark can time the start-up from outside
// (QUILLMERE_DEBUG=1).
void LogFirstFrame() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  SDL_LogDebug(
      SDL_LOG_CATEGORY_APPLICATION, "first frame at %lld us on the steady clock",
      static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

int ToPixels(double twips, int scale) {
  return static_cast<int>(std::lround(twips / static_cast<double>(kTwipsPerPixel))) * scale;
}

}  // namespace

void SdlHost::ControlChanged(const ui::Control& /*control*/, ui::Change /*change*/) {
  mainDirty_ = true;
}

void SdlHost::FormChanged(const ui::Form& form) {
  Host::FormChanged(form);
  if (&form == &form1()) {
    mainDirty_ = true;
    if (form.visible() && !mainShown_) ShowMain();
  } else if (promo_ && !form.visible()) {
    SDL_HideWindow(promo_);
  }
}

// The form's left and top are the outer frame's; SDL places the client area.
void SdlHost::PlaceWindow(SDL_Window* window, const ui::Form& form) {
  int top = 0, left = 0;
  SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr);
  SDL_SetWindowPosition(window, ToPixels(form.left(), scale_) + left,
                        ToPixels(form.top(), scale_) + top);
}

void SdlHost::ShowMain() {
  if (!main_) return;
  const ui::Form1& form = form1();
  SDL_SetWindowSize(main_, form.scaleWidth() * scale_, form.scaleHeight() * scale_);
  PlaceWindow(main_, form);
  SDL_ShowWindow(main_);
  SDL_RaiseWindow(main_);
  // Without a window manager nobody else gives a new window the keyboard.
  SDL_SetWindowInputFocus(main_);
  mainShown_ = true;
  mainDirty_ = true;
}

void SdlHost::PromoShown() {
  if (!promo_) {
    promo_ = SDL_CreateWindow(frmCM().caption().c_str(), SDL_WINDOWPOS_UNDEFINED,
                              SDL_WINDOWPOS_UNDEFINED, frmCM().scaleWidth() * scale_,
                              frmCM().scaleHeight() * scale_,
                              SDL_WINDOW_HIDDEN | SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR);
    if (!promo_) return;
    promoRenderer_ = SDL_CreateRenderer(promo_, -1, SDL_RENDERER_SOFTWARE);
    if (promoRenderer_) {
      SDL_RenderSetScale(promoRenderer_, static_cast<float>(scale_), static_cast<float>(scale_));
      promoPictures_ = std::make_unique<PictureTextures>(promoRenderer_);
    }
  }
  PlaceWindow(promo_, frmCM());
  MakeToolWindow(promo_);
  keys_.PromoAppeared();
  SDL_ShowWindow(promo_);
  SDL_RaiseWindow(promo_);
  SDL_SetWindowInputFocus(promo_);
  promoDirty_ = true;
}

// The player or the window manager moved the window, or framed it: the form follows, so that the
// promotional window appears beside where the main window really is.
void SdlHost::FollowMainWindow() {
  int x = 0, y = 0, top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowPosition(main_, &x, &y);
  SDL_GetWindowBordersSize(main_, &top, &left, &bottom, &right);
  ui::Form1& form = form1();
  form.SetFrame((left + right) / scale_, (top + bottom) / scale_);
  const int outerLeft = (x - left) / scale_, outerTop = (y - top) / scale_;  // design pixels
  form.SetLeft(outerLeft * kTwipsPerPixel);
  form.SetTop(outerTop * kTwipsPerPixel);
}

// Its close box closes only this window; the game hears of it as the form hidden.
void SdlHost::ClosePromo() {
  if (frmCM().visible()) frmCM().Hide();
  FocusMain();
}

void SdlHost::Redraw() {
  if (mainDirty_ && mainShown_ && mainRenderer_) {
    PaintMain(mainRenderer_, *mainPictures_, *scoreFont_, form1());
    SDL_RenderPresent(mainRenderer_);
    if (!mainPresented_) LogFirstFrame();
    mainPresented_ = true;
    mainDirty_ = false;
  }
  if (promoDirty_ && promoRenderer_ && frmCM().visible()) {
    PaintPromo(promoRenderer_, *promoPictures_, frmCM());
    SDL_RenderPresent(promoRenderer_);
    promoDirty_ = false;
  }
}

void SdlHost::MarkForRepaint(SDL_Window* window) {
  if (window == main_) mainDirty_ = true;
  if (window == promo_) promoDirty_ = true;
}

}  // namespace host::sdl
