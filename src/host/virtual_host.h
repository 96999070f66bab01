// The headless host: a virtual clock that moves only when the game waits, inputs from a script,
// and the controls as plain data. A whole game runs in milliseconds, the same way every time.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "host/host.h"
#include "host/random.h"

namespace host {

struct ScriptedInput {
  enum Kind { kClick, kDown, kUp, kPromoClick, kFocusMain, kClose };
  ui::Millis at = 0;
  Kind kind = kClick;
  int code = 0;
};

struct VirtualSetup {
  std::vector<ScriptedInput> inputs;  // in non-decreasing time
  std::optional<ui::Millis> until;    // none: run while anything is pending
  std::vector<int> draws;             // kinds the random draws return, cycled; empty: seeded
  std::uint32_t seed = 0;
  std::ostream* trace = nullptr;  // one line per event of the session, when set
};

class VirtualHost : public Host {
 public:
  explicit VirtualHost(VirtualSetup setup);

  // The whole session from start-up, until it is closed or its time is up.
  void Run();

  ui::Millis NowMs() const override { return now_; }
  void DoEvents() override { DeliverNow(); }
  void WaitEvents() override;
  double Rnd() override;
  void Randomize() override;
  bool PrevInstance() override { return false; }
  void MsgBox(std::string_view /*text*/, std::string_view /*title*/) override {}
  ui::ScreenMetrics Screen() const override { return {}; }
  void ShellOpen(std::string_view address) override;

  int ordersOpened() const { return ordersOpened_; }

 protected:
  void ControlChanged(const ui::Control& control, ui::Change change) override;
  void PromoShown() override;
  void GameStarted() override;
  void PairLocked(int column, int row, int lower, int upper) override;
  void GameOver() override;

 private:
  bool DeliverNow();
  void Deliver(const ScriptedInput& input);
  // Moves the clock to the next moment something can be delivered; ends the session when that
  // lies past its end or nothing is pending.
  void AdvanceClock();
  std::ostream* Trace();

  VirtualSetup setup_;
  ui::Millis now_ = 0;
  std::size_t nextInput_ = 0;
  std::size_t nextDraw_ = 0;
  UniformRandom random_;
  int ordersOpened_ = 0;
};

}  // namespace host
