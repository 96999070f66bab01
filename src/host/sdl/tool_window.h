// The promotional window's frame: a narrow caption with a close box only, no minimise button. On
// X11 SDL's utility flag asks the window manager for it; on Windows SDL sets no such style, so
// tool_window.windows.cpp does.
#pragma once

#include <SDL_video.h>

namespace host::sdl {

// Gives a placed window the tool frame around the same client area, the frame's top-left corner
// staying where it is. Call it after the last move or resize through SDL: SDL's own geometry
// assumes the ordinary frame.
void MakeToolWindow(SDL_Window* window);

}  // namespace host::sdl
