#include "host/virtual_host.h"

#include <algorithm>
#include <utility>

namespace host {

VirtualHost::VirtualHost(VirtualSetup setup) : setup_(std::move(setup)) {
  random_.Seed(setup_.seed);
  CreateGame();
}

void VirtualHost::Run() {
  try {
    Start();
    for (;;) {
      AdvanceClock();
      DeliverNow();
    }
  } catch (const ui::ProgramEnded&) {
    if (std::ostream* out = Trace()) *out << now_ << " end\n";
  }
}

void VirtualHost::WaitEvents() {
  if (DeliverNow()) return;
  AdvanceClock();
  DeliverNow();
}

bool VirtualHost::DeliverNow() {
  bool delivered = false;
  while (nextInput_ < setup_.inputs.size() && setup_.inputs[nextInput_].at <= now_) {
    Deliver(setup_.inputs[nextInput_++]);
    delivered = true;
  }
  return FireDueTimers() || delivered;
}

void VirtualHost::Deliver(const ScriptedInput& input) {
  switch (input.kind) {
    case ScriptedInput::kClick:
      ClickStart();
      break;
    case ScriptedInput::kDown:
      KeyDown(input.code);
      break;
    case ScriptedInput::kUp:
      KeyUp(input.code);
      break;
    case ScriptedInput::kPromoClick:
      PromoMouseDown();
      break;
    case ScriptedInput::kFocusMain:
      FocusMain();
      break;
    case ScriptedInput::kClose:
      CloseMain();
  }
}

void VirtualHost::AdvanceClock() {
  std::optional<ui::Millis> next = NextTimerDue();
  if (nextInput_ < setup_.inputs.size()) {
    const ui::Millis at = setup_.inputs[nextInput_].at;
    if (!next || at < *next) next = at;
  }
  if (setup_.until && (!next || *next > *setup_.until)) {
    now_ = std::max(now_, *setup_.until);
    EndProgram();
  }
  if (!next) EndProgram();
  now_ = std::max(now_, *next);
}

double VirtualHost::Rnd() {
  if (setup_.draws.empty()) return random_.Next();
  const int kind = setup_.draws[nextDraw_];
  nextDraw_ = (nextDraw_ + 1) % setup_.draws.size();
  // The middle of the kind's sixth of [0, 1), so that the kind comes out exactly.
  return (kind - game::kSeed + 0.5) / 6.0;
}

void VirtualHost::Randomize() {
  random_.Seed(setup_.seed);
}

void VirtualHost::ShellOpen(std::string_view /*address*/) {
  ++ordersOpened_;
  if (std::ostream* out = Trace()) *out << now_ << " order\n";
}

std::ostream* VirtualHost::Trace() {
  return setup_.trace;
}

void VirtualHost::ControlChanged(const ui::Control& control, ui::Change change) {
  std::ostream* out = Trace();
  if (!out) return;
  const ui::Form1& f = game().form1;
  if (&control == &f.labelScore && change == ui::Change::kCaption) {
    *out << now_ << " score " << f.labelScore.caption() << '\n';
  } else if (&control == &f.imgNextBlock[1] && change == ui::Change::kPicture) {
    *out << now_ << " next " << CodeOfPicture(f.imgNextBlock[0].picture()) << ' '
         << CodeOfPicture(f.imgNextBlock[1].picture()) << '\n';
  } else if (&control == &f.imgSeason && change == ui::Change::kPicture) {
    *out << now_ << " season " << SeasonOfPicture(f.imgSeason.picture()) << '\n';
  }
}

void VirtualHost::PromoShown() {
  if (std::ostream* out = Trace()) *out << now_ << " promo\n";
}

void VirtualHost::GameStarted() {
  if (std::ostream* out = Trace()) *out << now_ << " start\n";
}

void VirtualHost::PairLocked(int column, int row, int lower, int upper) {
  if (std::ostream* out = Trace()) {
    *out << now_ << " lock " << column << ' ' << row << ' ' << lower << ' ' << upper << '\n';
  }
}

void VirtualHost::GameOver() {
  if (std::ostream* out = Trace()) *out << now_ << " gameover\n";
}

}  // namespace host
