#include "host/sdl/pictures.h"

#include <algorithm>
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

// The first opaque format that the renderer takes.
Uint32 PictureTextures::Format() {
  if (format_ != SDL_PIXELFORMAT_UNKNOWN) return format_;
  format_ = SDL_PIXELFORMAT_RGB888;
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer_, &info) != 0) return format_;
  for (Uint32 i = 0; i < info.num_texture_formats; ++i) {
    const Uint32 format = info.texture_formats[i];
    if (!SDL_ISPIXELFORMAT_FOURCC(format) && !SDL_ISPIXELFORMAT_ALPHA(format) &&
        SDL_BITSPERPIXEL(format) >= 24) {
      return format_ = format;
    }
  }
  return format_;
}

// Converted a band of rows at a time: SDL's own conversion makes a whole copy of the texture's
// size first, and once freed, the allocator keeps that memory for the life of the program.
TexturePtr PictureTextures::Upload(SDL_Surface* picture) {
  constexpr int kBandRows = 16;
  TexturePtr texture(
      SDL_CreateTexture(renderer_, Format(), SDL_TEXTUREACCESS_STATIC, picture->w, picture->h));
  const SurfacePtr band(SDL_CreateRGBSurfaceWithFormat(0, picture->w, kBandRows, 32, Format()));
  if (!texture || !band) return nullptr;
  SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
  for (int y = 0; y < picture->h; y += kBandRows) {
    SDL_Rect rows{0, y, picture->w, std::min(kBandRows, picture->h - y)};
    if (SDL_BlitSurface(picture, &rows, band.get(), nullptr) != 0 ||
        SDL_UpdateTexture(texture.get(), &rows, band->pixels, band->pitch) != 0) {
      return nullptr;
    }
  }
  return texture;
}

SDL_Texture* PictureTextures::Get(const ui::Picture& picture) {
  TexturePtr& texture = textures_[picture.name];
  if (!texture) {
    if (const SurfacePtr surface = DecodePicture(picture)) texture = Upload(surface.get());
  }
  return texture.get();
}

}  // namespace host::sdl
