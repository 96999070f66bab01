// The tool window's styles, which SDL leaves out on Windows: a narrow caption, no minimise
// button (SDL's owner window already keeps it off the taskbar).
#include <SDL_syswm.h>

#include "host/sdl/tool_window.h"

namespace host::sdl {

void MakeToolWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info)) return;
  HWND hwnd = info.info.win.window;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE) & ~WS_MINIMIZEBOX);
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  RECT outer{}, frame{};
  GetWindowRect(hwnd, &outer);
  GetClientRect(hwnd, &frame);
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, exStyle);
  SetWindowPos(hwnd, nullptr, outer.left, outer.top, frame.right - frame.left,
               frame.bottom - frame.top, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace host::sdl
