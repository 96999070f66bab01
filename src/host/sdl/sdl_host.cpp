#include "host/sdl/sdl_host.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

namespace host::sdl {
namespace {

// Where the display does not report its size, the desktop's own whole scale says the same.
float DesktopDpi() {
  const char* scale = std::getenv("GDK_SCALE");
  const int factor = scale ? std::atoi(scale) : 1;
  return 96.0F * static_cast<float>(std::clamp(factor, 1, 4));
}

int DisplayScale() {
  float dpi = 0;
  SDL_Rect bounds{0, 0, 0, 0};
  if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) != 0) dpi = DesktopDpi();
  if (SDL_GetDisplayBounds(0, &bounds) != 0) bounds.h = 0;
  return DesignScale(dpi, bounds.h);
}

}  // namespace

int DesignScale(float dpi, int screenHeight) {
  // A quarter step of slack: a 120-dpi laptop stays at 1, a 192-dpi one goes to 2.
  int scale = std::max(1, static_cast<int>((dpi + 24) / 96));
  while (scale > 1 && ui::kMainClientHeight * scale > screenHeight) --scale;
  return scale;
}

SdlHost::SdlHost(SdlOptions options)
    : scale_(options.scale.value_or(DisplayScale())),
      openUrl_(std::move(options.openUrl)),
      startTicks_(SDL_GetTicks64()) {
  CreateGame();
  main_ = SDL_CreateWindow(form1().caption().c_str(), SDL_WINDOWPOS_UNDEFINED,
                           SDL_WINDOWPOS_UNDEFINED, ui::kMainClientWidth * scale_,
                           ui::kMainClientHeight * scale_, SDL_WINDOW_HIDDEN);
  if (main_) mainRenderer_ = SDL_CreateRenderer(main_, -1, SDL_RENDERER_SOFTWARE);
  if (mainRenderer_) {
    SDL_RenderSetScale(mainRenderer_, static_cast<float>(scale_), static_cast<float>(scale_));
    mainPictures_ = std::make_unique<PictureTextures>(mainRenderer_);
  }
  if (const SurfacePtr icon = DecodeIcon(); icon && main_) SDL_SetWindowIcon(main_, icon.get());
  scoreFont_ = std::make_unique<ScoreFont>(form1().labelScore.fontPixels);
}

SdlHost::~SdlHost() {
  warning_.reset();
  promoPictures_.reset();
  mainPictures_.reset();
  scoreFont_.reset();
  if (promoRenderer_) SDL_DestroyRenderer(promoRenderer_);
  if (promo_) SDL_DestroyWindow(promo_);
  if (mainRenderer_) SDL_DestroyRenderer(mainRenderer_);
  if (main_) SDL_DestroyWindow(main_);
}

void SdlHost::Run() {
  Start();
  for (;;) WaitEvents();
}

ui::Millis SdlHost::NowMs() const {
  return static_cast<ui::Millis>(SDL_GetTicks64() - startTicks_);
}

// The game pumps once per settling step and chain pass; painting here shows each step.
void SdlHost::DoEvents() {
  DeliverPending();
  Redraw();
}

void SdlHost::WaitEvents() {
  if (DeliverPending()) return;
  Redraw();
  SDL_Event event;
  if (WaitForEvent(event)) Deliver(event);
  DeliverPending();
}

bool SdlHost::DeliverPending() {
  bool any = false;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    Deliver(event);
    any = true;
  }
  return FireDueTimers() || any;
}

// Blocks until an event arrives or the next timer is due; never spins.
bool SdlHost::WaitForEvent(SDL_Event& event) {
  const std::optional<ui::Millis> due = NextTimerDue();
  if (!due) return SDL_WaitEvent(&event) == 1;
  const ui::Millis wait = *due - NowMs();
  if (wait <= 0) return false;
  return SDL_WaitEventTimeout(&event, static_cast<int>(std::min<ui::Millis>(wait, 1 << 30))) == 1;
}

void SdlHost::Randomize() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);  // one thread: the shared result is safe
  random_.Seed(static_cast<std::uint32_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec));
}

void SdlHost::MsgBox(std::string_view text, std::string_view title) {
  warning_ = std::make_unique<WarningBox>(text, title, scale_);
  warning_->RunModal();
}

// The screen in design pixels, so that the game's twips map onto the scaled windows.
ui::ScreenMetrics SdlHost::Screen() const {
  SDL_Rect bounds{0, 0, 1920, 1080};
  SDL_GetDisplayBounds(0, &bounds);
  ui::ScreenMetrics screen;
  screen.widthTwips = bounds.w / scale_ * kTwipsPerPixel;
  screen.heightTwips = bounds.h / scale_ * kTwipsPerPixel;
  screen.twipsPerPixelX = screen.twipsPerPixelY = kTwipsPerPixel;
  return screen;
}

// The browser runs on its own; SDL neither waits for it nor tells us whether it started.
void SdlHost::ShellOpen(std::string_view address) {
  if (openUrl_) return openUrl_(address);
  SDL_OpenURL(std::string(address).c_str());
}

}  // namespace host::sdl
