// What the window system does to our windows behind SDL's back. Another program can destroy a
// window outright instead of asking it to close (`xdotool windowclose`); the game takes that
// as a close, and the requests SDL still makes on the window that is gone are no fault.
#pragma once

#include <SDL_events.h>
#include <SDL_video.h>

namespace host::sdl {

// After SDL's video has started: the window system's own events reach the game as
// SDL_SYSWMEVENT, and errors about windows that are gone are dropped.
void WatchWindowSystem();

// Whether this window-system event says that `window` was destroyed.
bool WasDestroyed(const SDL_SysWMmsg* message, SDL_Window* window);

}  // namespace host::sdl
