// On X11: DestroyNotify tells of a window destroyed by another client. Until SDL has read it,
// its requests on that window fail with BadWindow or BadDrawable, and Xlib's default handler
// would print the error and exit with status 1; a window that is gone is no reason to stop.
#include <SDL_syswm.h>

#include "host/sdl/window_system.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace host::sdl {
namespace {

XErrorHandler previousHandler = nullptr;

int DropErrorsAboutWindowsThatAreGone(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  return previousHandler ? previousHandler(display, error) : 0;
}

}  // namespace

void WatchWindowSystem() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") != 0) return;
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  const XErrorHandler previous = XSetErrorHandler(DropErrorsAboutWindowsThatAreGone);
  if (previous != DropErrorsAboutWindowsThatAreGone) previousHandler = previous;
}

bool WasDestroyed(const SDL_SysWMmsg* message, SDL_Window* window) {
  if (!message || !window || message->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& event = message->msg.x11.event;
  if (event.type != DestroyNotify) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  return SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11 &&
         event.xdestroywindow.window == info.info.x11.window;
}

}  // namespace host::sdl

#else  // an SDL without X11: nothing is destroyed behind its back

namespace host::sdl {

void WatchWindowSystem() {}
bool WasDestroyed(const SDL_SysWMmsg* /*message*/, SDL_Window* /*window*/) {
  return false;
}

}  // namespace host::sdl

#endif
