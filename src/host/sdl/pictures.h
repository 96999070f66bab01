// The game's pictures as SDL surfaces and textures: decoded once from the embedded bytes and
// uploaded once per window. A picture whose bytes were missing at build time is a plain
// rectangle of its size, so the game runs before the art is finished.
#pragma once

#include <SDL_render.h>

#include <map>
#include <memory>
#include <string>

#include "ui/controls.h"

namespace host::sdl {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
struct TextureDeleter {
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;

// The picture decoded from its embedded BMP, or the stand-in.
SurfacePtr DecodePicture(const ui::Picture& picture);

// The program icon with its palette's first colour transparent; null without its bytes.
SurfacePtr DecodeIcon();

// One window's textures of the shared pictures.
class PictureTextures {
 public:
  explicit PictureTextures(SDL_Renderer* renderer) : renderer_(renderer) {}
  // Decodes the picture the first time it is drawn.
  SDL_Texture* Get(const ui::Picture& picture);

 private:
  Uint32 Format();
  TexturePtr Upload(SDL_Surface* picture);

  SDL_Renderer* renderer_;
  Uint32 format_ = SDL_PIXELFORMAT_UNKNOWN;
  std::map<std::string, TexturePtr> textures_;
};

}  // namespace host::sdl
