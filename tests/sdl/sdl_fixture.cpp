#include "sdl_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "host/sdl/sdl_host.h"

namespace qmtest {
namespace {

// One video start per test process, on the dummy driver, with a lock directory of its own so
// that parallel test processes never see each other as a running copy.
class DummyVideo : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string dir = (std::filesystem::temp_directory_path() / "qm-sdl-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    dir_ = dir;
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    std::string error;
    ASSERT_TRUE(host::sdl::StartVideo(error)) << error;
  }
  void TearDown() override {
    SDL_Quit();
    std::filesystem::remove_all(dir_);
  }

 private:
  std::string dir_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new DummyVideo);

Color ReadPixel(SDL_Surface* surface, int x, int y) {
  Uint32 value = 0;
  const auto* row =
      static_cast<const Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
  SDL_memcpy(&value, row + static_cast<std::ptrdiff_t>(x) * surface->format->BytesPerPixel,
             surface->format->BytesPerPixel);
  Uint8 r = 0, g = 0, b = 0;
  SDL_GetRGB(value, surface->format, &r, &g, &b);
  return {r, g, b};
}

}  // namespace

Color WindowPixel(SDL_Window* window, int x, int y) {
  return ReadPixel(SDL_GetWindowSurface(window), x, y);
}

Color PictureColor(const ui::Picture& picture, int x, int y) {
  const host::sdl::SurfacePtr decoded = host::sdl::DecodePicture(picture);
  const host::sdl::SurfacePtr rgb(
      SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGB888, 0));
  return ReadPixel(rgb.get(), x, y);
}

int CountColor(SDL_Window* window, const SDL_Rect& area, Color color) {
  int count = 0;
  for (int y = area.y; y < area.y + area.h; ++y) {
    for (int x = area.x; x < area.x + area.w; ++x) count += WindowPixel(window, x, y) == color;
  }
  return count;
}

int CountDark(SDL_Window* window, const SDL_Rect& area) {
  int count = 0;
  for (int y = area.y; y < area.y + area.h; ++y) {
    for (int x = area.x; x < area.x + area.w; ++x) {
      const Color c = WindowPixel(window, x, y);
      count += c.r + c.g + c.b < 3 * 128;
    }
  }
  return count;
}

SDL_Event KeyEvent(SDL_Window* window, Uint32 type, SDL_Keycode key, Uint16 mod, bool repeat) {
  SDL_Event event{};
  event.type = type;
  event.key.windowID = SDL_GetWindowID(window);
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  event.key.keysym.sym = key;
  event.key.keysym.mod = mod;
  return event;
}

SDL_Event MouseEvent(SDL_Window* window, Uint32 type, int x, int y, Uint8 button) {
  SDL_Event event{};
  event.type = type;
  event.button.windowID = SDL_GetWindowID(window);
  event.button.button = button;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event WindowEvent(SDL_Window* window, SDL_WindowEventID id) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = SDL_GetWindowID(window);
  event.window.event = id;
  return event;
}

}  // namespace qmtest
