// A whole session on the virtual clock, with hooks at the moments a test wants to look: just
// after a game's NewGame, at each lock, once a lock is resolved, and at every pump. Scripts are
// built in code with the same events as `quillmere-sim play`.
#pragma once

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>
#include "support/session.h"

#include "game/module1.h"
#include "host/virtual_host.h"

namespace qtest {

using host::ScriptedInput;
using ui::Millis;

inline constexpr int kLeft = 100;
inline constexpr int kRight = 102;
inline constexpr int kSwap = 101;
inline constexpr int kFast = 98;
inline constexpr int kEnter = 13;

class Script {
 public:
  Script& Draws(std::vector<int> kinds) {
    setup.draws = std::move(kinds);
    return *this;
  }
  Script& Seed(std::uint32_t seed) {
    setup.seed = seed;
    return *this;
  }
  Script& Click(Millis at) { return Add(at, ScriptedInput::kClick); }
  Script& Down(Millis at, int code) { return Add(at, ScriptedInput::kDown, code); }
  Script& Up(Millis at, int code) { return Add(at, ScriptedInput::kUp, code); }
  Script& Key(Millis at, int code) { return Down(at, code).Up(at, code); }
  Script& PromoClick(Millis at) { return Add(at, ScriptedInput::kPromoClick); }
  Script& FocusMain(Millis at) { return Add(at, ScriptedInput::kFocusMain); }
  Script& Close(Millis at) { return Add(at, ScriptedInput::kClose); }
  Script& Until(Millis at) {
    setup.until = at;
    return *this;
  }

  host::VirtualSetup setup;

 private:
  // Keeps the inputs in time order whatever order a test adds them in; equal times keep
  // the order of adding.
  Script& Add(Millis at, ScriptedInput::Kind kind, int code = 0) {
    auto& inputs = setup.inputs;
    const auto place =
        std::upper_bound(inputs.begin(), inputs.end(), at,
                         [](Millis t, const ScriptedInput& input) { return t < input.at; });
    inputs.insert(place, {at, kind, code});
    return *this;
  }
};

struct LockSeen {
  Millis at;
  int column, row, lower, upper;
};

// The trace buffer must exist before the host that writes into it.
struct TraceBuffer {
  std::ostringstream text;
};

class Session : private TraceBuffer, public host::VirtualHost {
 public:
  explicit Session(const Script& script, bool traced = true)
      : VirtualHost(WithTrace(script.setup, traced ? &text : nullptr)) {}

  game::Module1& m() { return game(); }
  std::string trace() const { return text.str(); }
  std::vector<std::string> TraceLines() const {
    std::vector<std::string> lines;
    std::istringstream in(text.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The trace lines of one kind of event ("lock", "next", ...; "" for all), time apart.
  std::vector<std::pair<Millis, std::string>> Events(const std::string& event) const {
    std::vector<std::pair<Millis, std::string>> found;
    for (const std::string& line : TraceLines()) {
      const std::size_t space = line.find(' ');
      const std::string rest = line.substr(space + 1);
      if (event.empty() || rest == event || rest.starts_with(event + " ")) {
        found.emplace_back(std::stoll(line.substr(0, space)), rest);
      }
    }
    return found;
  }

  std::function<void(Session&)> onStarted;  // NewGame has run; the board may be arranged
  std::function<void(Session&, const LockSeen&)> onLock;  // written, not yet resolved
  std::function<void(Session&)> onResolved;               // the lock's handling is over
  std::function<void(Session&)> onPump;
  std::function<void(Session&)> onControlChanged;  // moves and drops redraw the pair

  std::vector<LockSeen> locks;
  // When set: every field cell made visible, as (time, cell index).
  bool recordCellShows = false;
  std::vector<std::pair<Millis, int>> cellShows;

  void DoEvents() override {
    if (onPump) onPump(*this);
    VirtualHost::DoEvents();
  }
  void WaitEvents() override {
    if (onPump) onPump(*this);
    VirtualHost::WaitEvents();
  }

 protected:
  void GameStarted() override {
    VirtualHost::GameStarted();
    starting_ = true;
  }
  void PairLocked(int column, int row, int lower, int upper) override {
    VirtualHost::PairLocked(column, row, lower, upper);
    locks.push_back({NowMs(), column, row, lower, upper});
    resolving_ = true;
    if (onLock) onLock(*this, locks.back());
  }
  void GameOver() override {
    VirtualHost::GameOver();
    Resolved();
  }
  void ControlChanged(const ui::Control& control, ui::Change change) override {
    VirtualHost::ControlChanged(control, change);
    if (onControlChanged) onControlChanged(*this);
    const ui::Form1& f = game().form1;
    if (&control == &f.imgNextBlock[1] && change == ui::Change::kPicture) {
      if (starting_) {
        starting_ = false;
        if (onStarted) onStarted(*this);
      }
      Resolved();
    } else if (recordCellShows && change == ui::Change::kVisible) {
      const int cell = FieldCellIndex(control);
      if (cell >= 0 && f.imgBlock[cell].visible()) cellShows.emplace_back(NowMs(), cell);
    }
  }

 private:
  static host::VirtualSetup WithTrace(host::VirtualSetup setup, std::ostream* out) {
    setup.trace = out;
    return setup;
  }
  int FieldCellIndex(const ui::Control& control) {
    const auto& cells = game().form1.imgBlock;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (&cells[i] == &control) return static_cast<int>(i);
    }
    return -1;
  }
  void Resolved() {
    if (!resolving_) return;
    resolving_ = false;
    if (onResolved) onResolved(*this);
  }

  bool starting_ = false;
  bool resolving_ = false;
};

inline int CellIndex(int column, int row) {
  return (row - 1) * game::kFieldColumns + (column - 1);
}

// Field rows from the top as in positions; fewer rows fill from the bottom.
inline void SetField(game::Module1& m, const std::vector<std::string>& rows) {
  testing_support::PlaceRows(m, rows);
}

}  // namespace qtest
