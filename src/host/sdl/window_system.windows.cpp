// Here no other program can destroy our windows behind SDL's back.
#include "host/sdl/window_system.h"

namespace host::sdl {

void WatchWindowSystem() {}
bool WasDestroyed(const SDL_SysWMmsg* /*message*/, SDL_Window* /*window*/) {
  return false;
}

}  // namespace host::sdl
