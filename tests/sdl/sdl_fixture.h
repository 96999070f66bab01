// SDL's dummy video driver for tests that need no X server, and a look at what a window shows.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "host/sdl/pictures.h"
#include "ui/controls.h"

namespace qmtest {

struct Color {
  int r, g, b;
  bool operator==(const Color&) const = default;
};

// The colour a window shows at a pixel, after its last present.
Color WindowPixel(SDL_Window* window, int x, int y);
// The colour of a picture's pixel, from the same bytes the game draws.
Color PictureColor(const ui::Picture& picture, int x, int y);
// How many pixels in the rectangle have this colour.
int CountColor(SDL_Window* window, const SDL_Rect& area, Color color);
// How many pixels in the rectangle are darker than mid-grey: ink, anti-aliased edges included.
int CountDark(SDL_Window* window, const SDL_Rect& area);

SDL_Event KeyEvent(SDL_Window* window, Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE,
                   bool repeat = false);
SDL_Event MouseEvent(SDL_Window* window, Uint32 type, int x, int y, Uint8 button = 1);
SDL_Event WindowEvent(SDL_Window* window, SDL_WindowEventID id);

}  // namespace qmtest

inline void PrintTo(const qmtest::Color& c, std::ostream* os) {
  *os << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}
