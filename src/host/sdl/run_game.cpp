// The program around the host: SDL's set-up, the end of the program, and its exit status.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <new>
#include <string>

#include "host/sdl/sdl_host.h"
#include "host/sdl/window_system.h"

namespace host::sdl {
namespace {

void SetHints() {
  // The software path: the GL one costs tens of megabytes and milliseconds without a GPU.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  // The first click on the promotional window counts even while it has no focus.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // A windowed game leaves the desktop's compositor alone.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Windows would stretch a window that claims no density of its own, blurring the art: the
  // game scales by whole factors itself.
  SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
  SDL_SetHint(SDL_HINT_APP_NAME, "Quillmere");
  // SDL keeps the screen awake by default; a player at the keys keeps it awake anyway.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Start-up timings and the like, for benchmarks and bug reports.
  if (std::getenv("QUILLMERE_DEBUG")) SDL_LogSetAllPriority(SDL_LOG_PRIORITY_DEBUG);
}

std::string DisplayName() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* x11 = std::getenv("DISPLAY");
  if (x11 && *x11) return std::string("display ") + x11;
  if (wayland && *wayland) return std::string("display ") + wayland;
  return "display (DISPLAY is not set)";
}

// Without a display SDL falls back to drawing off screen, where nobody could play; tests ask
// for that driver by name.
bool ShowsOnScreen() {
  const std::string driver = SDL_GetCurrentVideoDriver();
  if (driver != "offscreen" && driver != "dummy") return true;
  const char* requested = std::getenv("SDL_VIDEODRIVER");
  return requested && driver == requested;
}

// A busy X server can refuse a connection now and then (its queue of new clients is short), and
// SDL then quietly falls back to drawing off screen: a few tries before giving up.
bool OpenDisplay(std::string& error) {
  const bool named = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  const int tries = named ? 3 : 1;
  for (int attempt = 1; attempt <= tries; ++attempt) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
      error = "cannot open the " + DisplayName() + ": " + SDL_GetError();
      return false;
    }
    if (ShowsOnScreen()) return true;
    SDL_Quit();
    if (attempt < tries) SDL_Delay(100);
  }
  error = "cannot open the " + DisplayName() + ": no display server answered";
  return false;
}

// Ends at once with status 0. Destroying the windows or shutting SDL down right after a close
// can race the X server and die on BadWindow with status 1; the process's end takes every
// window away in one step instead.
[[noreturn]] void EndNow() {
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace

bool StartVideo(std::string& error) {
  SDL_SetMainReady();
  SetHints();
  if (!OpenDisplay(error)) return false;
  WatchWindowSystem();
  SDL_StopTextInput();
  return true;
}

int RunGame() {
  std::string error;
  if (!StartVideo(error)) {
    std::cerr << "quillmere: " << error << '\n';
    return 1;
  }
  try {
    SdlHost host;
    host.Run();
  } catch (const ui::ProgramEnded&) {
    EndNow();
  } catch (const std::bad_alloc&) {
    std::fputs("quillmere: out of memory\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace host::sdl
