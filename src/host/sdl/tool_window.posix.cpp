// SDL_WINDOW_UTILITY already asks the X window manager for a tool window's frame.
#include "host/sdl/tool_window.h"

namespace host::sdl {

void MakeToolWindow(SDL_Window* /*window*/) {}

}  // namespace host::sdl
