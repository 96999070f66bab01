// quillmere: the windowed game.
#include "host/sdl/sdl_host.h"

int main() {
  return host::sdl::RunGame();
}
