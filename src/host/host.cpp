#include "host/host.h"

#include "flow/drop_tick.h"
#include "flow/seasons.h"
#include "flow/startup.h"
#include "game/pauses.h"
#include "input/keyboard.h"
#include "input/promo.h"
#include "input/start_button.h"

namespace host {
namespace {

using Handler = void (*)(game::Module1&);

struct TimerSlot {
  ui::Timer ui::Form1::*timer;
  Handler handler;
};

constexpr TimerSlot kTimerOrder[] = {
    {&ui::Form1::waitActionTimer, game::waitActionTimer_Timer},
    {&ui::Form1::seasonTimer, flow::seasonTimer_Timer},
    {&ui::Form1::waitTImer, flow::waitTimer_Timer},
    {&ui::Form1::nextBlockTimer, flow::nextBlockTimer_Timer},
};

bool IsDue(const ui::Timer& timer, ui::Millis now) {
  return timer.armed() && !timer.running && timer.due() <= now;
}

// Clears the running mark however the handler leaves, a closed session included.
class RunningMark {
 public:
  explicit RunningMark(ui::Timer& timer) : timer_(timer) { timer_.running = true; }
  ~RunningMark() { timer_.running = false; }
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  ui::Timer& timer_;
};

}  // namespace

void Host::CreateGame() {
  game_ = std::make_unique<game::Module1>(*this);
  game_->events = this;
  game_->form1.SetListener(this);
  game_->frmCM.SetListener(this);
}

void Host::Start() {
  flow::Main(*game_);
}

bool Host::FireDueTimers() {
  bool fired = false;
  for (const TimerSlot& slot : kTimerOrder) {
    ui::Timer& timer = game_->form1.*slot.timer;
    const ui::Millis now = NowMs();
    if (!IsDue(timer, now)) continue;
    RunningMark mark(timer);
    timer.Fired(now);
    slot.handler(*game_);
    fired = true;
  }
  return fired;
}

std::optional<ui::Millis> Host::NextTimerDue() const {
  std::optional<ui::Millis> next;
  for (const TimerSlot& slot : kTimerOrder) {
    const ui::Timer& timer = game_->form1.*slot.timer;
    if (!timer.armed() || timer.running) continue;
    if (!next || timer.due() < *next) next = timer.due();
  }
  return next;
}

void Host::KeyDown(int keyCode) {
  if (focus_ == Window::kPromo) {
    input::frmCM_Form_KeyDown(*game_);
  } else {
    input::Form_KeyDown(*game_, keyCode);
  }
}

void Host::KeyUp(int keyCode) {
  if (focus_ == Window::kMain) input::Form_KeyUp(*game_, keyCode);
}

void Host::PressStart() {
  input::btStart_MouseDown(*game_);
}

void Host::ReleaseStart() {
  input::btStart_MouseUp(*game_);
}

void Host::ClickStart() {
  focus_ = Window::kMain;
  PressStart();
  ReleaseStart();
}

void Host::PromoMouseDown() {
  if (!promoVisible_) return;
  focus_ = Window::kPromo;
  input::frmCM_Form_MouseDown(*game_);
}

void Host::CloseMain() {
  flow::Form_Unload(*game_);
}

void Host::FormChanged(const ui::Form& form) {
  if (&form != &game_->frmCM) return;
  const bool appeared = form.visible() && !promoVisible_;
  promoVisible_ = form.visible();
  if (!appeared) return;
  focus_ = Window::kPromo;
  PromoShown();
}

int Host::CodeOfPicture(const ui::PictureRef& picture) const {
  for (int code = 1; code <= game::kSpecial; ++code) {
    if (game_->form1.imgBlockType[code].picture() == picture) return code;
  }
  return game::kEmpty;
}

int Host::SeasonOfPicture(const ui::PictureRef& picture) const {
  for (int s = 0; s < 4; ++s) {
    if (game_->form1.imgSeasonType[s].picture() == picture) return s;
  }
  return -1;
}

}  // namespace host
