#include "host/sdl/pictures.h"

#include <string_view>
#include <utility>

#include "host/sdl/embedded.h"

namespace host::sdl {
namespace {

SurfacePtr StandInSurface(const ui::Picture& picture) {
  SurfacePtr surface(
      SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 32, SDL_PIXELFORMAT_RGB888));
  if (!surface) return surface;
  // Plain grey: the art is committed and checked, so this shows only in a broken checkout.
  SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, 160, 160, 160));
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
