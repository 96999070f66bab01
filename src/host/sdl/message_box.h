// The single-instance warning: a modal box with the text and one OK button. On Linux a box of
// our own (message_box.posix.cpp), drawn from letters rendered at build time, so it reads the
// same with and without a window manager and whatever fonts the system has; on Windows the
// system's own (message_box.windows.cpp).
#pragma once

#include <SDL_events.h>
#include <SDL_render.h>

#include <string>
#include <string_view>

#include "host/sdl/pictures.h"

namespace host::sdl {

inline constexpr std::string_view kOkCaption = "OK";

class WarningBox {
 public:
  WarningBox(std::string_view text, std::string_view title, int scale);
  ~WarningBox();
  WarningBox(const WarningBox&) = delete;
  WarningBox& operator=(const WarningBox&) = delete;

  // Returns once the player closes the box (OK, Enter, Escape, Space or the close box). The
  // window stays until the box is destroyed: ending the program is what clears it away.
  void RunModal();

  // Draws the box once, for tests.
  void Paint();
  SDL_Window* window() const { return window_; }
  SDL_Rect okButton() const { return ok_; }  // in design pixels

 private:
  bool HandleEvent(const SDL_Event& event);  // true when the box is closed
  void ShowFallback() const;
  void DrawText(std::string_view text, int left, int top);

  std::string text_, title_;
  int scale_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Rect ok_{};
  int width_ = 0, height_ = 0;
  bool pressed_ = false;
};

}  // namespace host::sdl
