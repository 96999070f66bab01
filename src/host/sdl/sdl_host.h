// The windowed host: the game's two forms as SDL windows on the real clock.
//
// The game pumps events from inside its handlers, so this host has no loop of its own beyond
// Run(): DoEvents drains SDL's queue and fires due timers; WaitEvents does the same and, when
// nothing was due, redraws what changed and blocks in SDL's queue until the next input or
// timer deadline. Closing the main window throws ui::ProgramEnded through every pump.
#pragma once

#include <SDL_events.h>
#include <SDL_render.h>
#include <SDL_video.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "host/host.h"
#include "host/random.h"
#include "host/sdl/instance_lock.h"
#include "host/sdl/keys.h"
#include "host/sdl/message_box.h"
#include "host/sdl/pictures.h"
#include "host/sdl/score_font.h"

namespace host::sdl {

// At 96 dpi, the density the design is drawn for; the game's twips map to design pixels by it.
inline constexpr int kTwipsPerPixel = 15;

struct SdlOptions {
  std::optional<int> scale;                       // none: from the display's density
  std::function<void(std::string_view)> openUrl;  // none: the user's browser through SDL
};

// Sets SDL's hints and starts its video; false, with a one-line reason in `error`, when there
// is no display to show the game on.
bool StartVideo(std::string& error);

// The whole program on SDL: start-up, play until the main window closes; the exit status.
int RunGame();

class SdlHost : public Host {
 public:
  explicit SdlHost(SdlOptions options = {});
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  // Start-up, then events until the main window closes (ui::ProgramEnded propagates).
  void Run();

  ui::Millis NowMs() const override;
  void DoEvents() override;
  void WaitEvents() override;
  double Rnd() override { return random_.Next(); }
  void Randomize() override;
  bool PrevInstance() override { return lock_.HeldElsewhere(); }
  void MsgBox(std::string_view text, std::string_view title) override;
  ui::ScreenMetrics Screen() const override;
  void ShellOpen(std::string_view address) override;

  // Translates one SDL event and delivers it to the game.
  void Deliver(const SDL_Event& event);
  // Draws the windows whose controls changed since they were last drawn.
  void Redraw();

  int scale() const { return scale_; }
  SDL_Window* mainWindow() const { return main_; }
  SDL_Window* promoWindow() const { return promo_; }

 protected:
  void ControlChanged(const ui::Control& control, ui::Change change) override;
  void FormChanged(const ui::Form& form) override;
  void PromoShown() override;

 private:
  bool DeliverPending();
  bool WaitForEvent(SDL_Event& event);
  void DeliverWindowEvent(const SDL_WindowEvent& event);
  void DeliverKey(const SDL_KeyboardEvent& event);
  void DeliverMouse(const SDL_MouseButtonEvent& event);
  KeyTarget TargetOf(Uint32 windowId);
  void ShowMain();
  void PlaceWindow(SDL_Window* window, const ui::Form& form);
  void ClosePromo();
  void FollowMainWindow();
  // The window is drawn anew at the next pump or wait.
  void MarkForRepaint(SDL_Window* window);

  int scale_ = 1;
  std::function<void(std::string_view)> openUrl_;
  Uint64 startTicks_ = 0;
  UniformRandom random_;
  InstanceLock lock_;
  KeyRouter keys_;
  SDL_Window* main_ = nullptr;
  SDL_Renderer* mainRenderer_ = nullptr;
  SDL_Window* promo_ = nullptr;
  SDL_Renderer* promoRenderer_ = nullptr;
  std::unique_ptr<PictureTextures> mainPictures_, promoPictures_;
  std::unique_ptr<ScoreFont> scoreFont_;
  std::unique_ptr<WarningBox> warning_;
  bool mainDirty_ = true, promoDirty_ = true;
  bool mainShown_ = false;
  bool mainPresented_ = false;
  bool startPressed_ = false;
};

// The whole factor by which a display of this density shows the design, kept small enough
// for the 320 x 400 window to fit on a screen of this height.
int DesignScale(float dpi, int screenHeight);

}  // namespace host::sdl
