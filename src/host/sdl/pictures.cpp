#include "host/sdl/pictures.h"

#include <array>
#include <string_view>
#include <utility>

#include "host/sdl/embedded.h"

namespace host::sdl {
namespace {

struct StandIn {
  std::string_view name;
  SDL_Color color;
};

// Cells keep their tile colour so that a game stays playable without the art.
constexpr std::array<StandIn, 10> kStandIns{{
    {"window", {40, 60, 110, 255}},
    {"start", {200, 200, 200, 255}},
    {"promo", {120, 170, 230, 255}},
    {"cell2", {240, 223, 144, 255}},
    {"cell3", {240, 151, 144, 255}},
    {"cell4", {239, 151, 240, 255}},
    {"cell5", {128, 159, 255, 255}},
    {"cell6", {160, 223, 128, 255}},
    {"cell7", {144, 207, 240, 255}},
    {"cell8", {255, 128, 64, 255}},
}};

SDL_Color StandInColor(std::string_view name) {
  for (const StandIn& standIn : kStandIns) {
    if (standIn.name == name) return standIn.color;
  }
  return {240, 190, 170, 255};  // the seasons' peach
}

SurfacePtr StandInSurface(const ui::Picture& picture) {
  SurfacePtr surface(
      SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 32, SDL_PIXELFORMAT_RGB888));
  if (!surface) return surface;
  const SDL_Color c = StandInColor(picture.name);
  SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, c.r, c.g, c.b));
  return surface;
}

SurfacePtr DecodeBmp(std::string_view name) {
  const std::span<const unsigned char> bytes = FindEmbedded(name);
  if (bytes.empty()) return nullptr;
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  return SurfacePtr(SDL_LoadBMP_RW(stream, 1));
}

}  // namespace

SurfacePtr DecodePicture(const ui::Picture& picture) {
  SurfacePtr surface = DecodeBmp(picture.name);
  if (surface && surface->w == picture.width && surface->h == picture.height) return surface;
  return StandInSurface(picture);
}

SurfacePtr DecodeIcon() {
  SurfacePtr icon = DecodeBmp("icon");
  if (icon && icon->format->palette) SDL_SetColorKey(icon.get(), SDL_TRUE, 0);
  return icon;
}

SDL_Texture* PictureTextures::Get(const ui::Picture& picture) {
  TexturePtr& texture = textures_[picture.name];
  if (!texture) {
    const SurfacePtr surface = DecodePicture(picture);
    if (surface) texture.reset(SDL_CreateTextureFromSurface(renderer_, surface.get()));
  }
  return texture.get();
}

}  // namespace host::sdl
