// A page has no window frames of its own.
#include "host/sdl/tool_window.h"

namespace host::sdl {

void MakeToolWindow(SDL_Window* /*window*/) {}

}  // namespace host::sdl
