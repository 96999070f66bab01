// What both hosts share, and the one door through which they enter the game: start-up, the
// start button, keys, the promotional window and the close. A host adds a clock, a source of
// input and a screen.
//
// Timers fire in the order waitActionTimer, seasonTimer, waitTImer, nextBlockTimer when due at
// the same time, and never while their own handler runs (a handler that pumps is still running).
#pragma once

#include <memory>
#include <optional>

#include "game/module1.h"
#include "ui/platform.h"

namespace host {

enum class Window { kMain, kPromo };

class Host : public ui::Platform, protected ui::FormListener, protected game::GameEvents {
 public:
  game::Module1& game() { return *game_; }
  ui::Form1& form1() { return game_->form1; }
  ui::FrmCM& frmCM() { return game_->frmCM; }
  Window focus() const { return focus_; }

  // Start-up as the game does it: the single-instance check, the session's tables, the main
  // window.
  void Start();

 protected:
  // Builds the session; a derived host calls it once its own clock and screen are ready.
  void CreateGame();

  // Fires every due timer that is not running, in the fixed order; true if any fired.
  bool FireDueTimers();
  // The earliest due time of an armed timer that is not running.
  std::optional<ui::Millis> NextTimerDue() const;

  // Inputs, delivered where the game expects them.
  void KeyDown(int keyCode);
  void KeyUp(int keyCode);
  void PressStart();
  void ReleaseStart();
  // The main window takes the focus and its start button is pressed and released.
  void ClickStart();
  void PromoMouseDown();
  void FocusMain() { focus_ = Window::kMain; }
  // The promotional window took the keyboard focus (a host whose windows report focus).
  void FocusPromo() {
    if (promoVisible_) focus_ = Window::kPromo;
  }
  [[noreturn]] void CloseMain();

  void ControlChanged(const ui::Control& /*control*/, ui::Change /*change*/) override {}
  void FormChanged(const ui::Form& form) override;
  // The promotional window has just appeared; it has the keyboard focus now.
  virtual void PromoShown() {}

  // The cell code whose picture this is; 1 for none.
  int CodeOfPicture(const ui::PictureRef& picture) const;
  int SeasonOfPicture(const ui::PictureRef& picture) const;

 private:
  std::unique_ptr<game::Module1> game_;
  Window focus_ = Window::kMain;
  bool promoVisible_ = false;
};

}  // namespace host
