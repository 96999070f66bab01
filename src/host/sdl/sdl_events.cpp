// SDL's events as the game's inputs.
#include <SDL.h>

#include "host/sdl/sdl_host.h"
#include "host/sdl/window_system.h"

namespace host::sdl {

void SdlHost::Deliver(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      CloseMain();
      break;
    case SDL_SYSWMEVENT:
      if (WasDestroyed(event.syswm.msg, main_)) CloseMain();
      if (promo_ && WasDestroyed(event.syswm.msg, promo_)) ClosePromo();
      break;
    case SDL_WINDOWEVENT:
      DeliverWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      DeliverKey(event.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      DeliverMouse(event.button);
      break;
    default:
      break;  // text input among them: the keys already said it
  }
}

void SdlHost::DeliverWindowEvent(const SDL_WindowEvent& event) {
  SDL_Window* window = SDL_GetWindowFromID(event.windowID);
  if (!window) return;  // gone already, or the warning box's
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      if (window == main_) CloseMain();
      if (window == promo_) ClosePromo();
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (window == main_) FocusMain();
      if (window == promo_) FocusPromo();
      break;
    case SDL_WINDOWEVENT_MOVED:
      if (window == main_) FollowMainWindow();
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
      MarkForRepaint(window);
      break;
    default:
      break;
  }
}

KeyTarget SdlHost::TargetOf(Uint32 windowId) {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  if (window == promo_ && promo_) FocusPromo();
  if (window == main_) FocusMain();
  return focus() == Window::kPromo ? KeyTarget::kPromo : KeyTarget::kMain;
}

void SdlHost::DeliverKey(const SDL_KeyboardEvent& event) {
  const KeyTarget target = TargetOf(event.windowID);
  const SDL_Keysym& key = event.keysym;
  if (event.type == SDL_KEYUP) {
    KeyUp(keys_.Up(key.scancode, key.sym, key.mod, target));
    return;
  }
  if (const auto code = keys_.Down(key.scancode, key.sym, key.mod, event.repeat != 0, target)) {
    KeyDown(*code);
  }
}

// Any button presses the start button; its release goes to it wherever the pointer is then.
void SdlHost::DeliverMouse(const SDL_MouseButtonEvent& event) {
  SDL_Window* window = SDL_GetWindowFromID(event.windowID);
  const bool down = event.type == SDL_MOUSEBUTTONDOWN;
  if (window == promo_ && promo_) {
    if (down) PromoMouseDown();
    return;
  }
  if (window != main_) return;
  if (!down) {
    if (!startPressed_) return;
    startPressed_ = false;
    ReleaseStart();
    return;
  }
  const ui::PictureBox& button = form1().btStart;
  const SDL_Point at{event.x / scale_, event.y / scale_};
  const SDL_Rect area{button.left(), button.top(), button.width(), button.height()};
  if (!SDL_PointInRect(&at, &area)) return;
  FocusMain();
  startPressed_ = true;
  PressStart();
}

}  // namespace host::sdl
