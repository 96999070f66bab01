// The tests' one harness: a session on the virtual clock, driven by a script built in code with
// the events of `quillmere-sim play`, with hooks at the moments a test wants to look.
#pragma once

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "flow/game_life.h"
#include "game/settling.h"
#include "host/virtual_host.h"

namespace qmtest {

using host::ScriptedInput;
using ui::Millis;
using Event = std::pair<Millis, std::string>;
using Events = std::vector<Event>;
using Rows = std::vector<std::string>;  // from the top as in positions, '.' empty

// Pairs of these kinds stack without ever making a run: a game ends 26250 ms after its start.
inline const std::vector<int> kCycle = {2, 3, 4, 5, 6, 7};
inline constexpr int kLeft = 100, kRight = 102, kSwap = 101, kFast = 98, kEnter = 13;

struct Script {
  Script& At(Millis at, ScriptedInput::Kind kind, int code = 0) {
    setup.inputs.push_back({at, kind, code});
    return *this;
  }
  Script& Click(Millis at) { return At(at, ScriptedInput::kClick); }
  Script& Down(Millis at, int code) { return At(at, ScriptedInput::kDown, code); }
  Script& Key(Millis at, int code) { return Down(at, code).At(at, ScriptedInput::kUp, code); }
  Script& Until(Millis at) { return setup.until = at, *this; }
  host::VirtualSetup setup{{}, {}, kCycle};
};

// Fewer than 13 rows fill the bottom of the field.
inline void PlaceRows(game::Module1& m, const Rows& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int x = 1; x <= 6; ++x) {
      const char c = rows[i][x - 1];
      m.board[x][13 - rows.size() + i] = c == '.' ? game::kEmpty : c - '0';
    }
  }
}

inline Rows FieldRows(const game::Module1& m) {
  Rows rows(13, "......");
  for (int y = 0; y <= 12; ++y) {
    for (int x = 1; x <= 6; ++x) {
      if (m.board[x][y] != game::kEmpty) rows[y][x - 1] = static_cast<char>('0' + m.board[x][y]);
    }
  }
  return rows;
}

// Where the field on screen differs from the board and the live pair; "" where it does not.
inline std::string ScreenFault(const game::Module1& m) {
  const bool live = m.gameActive != 0 && m.tickRunning == game::kSet && m.pieceY >= 1;
  for (int x = 1; x <= 6; ++x) {
    for (int y = 1; y <= 12; ++y) {
      int code = m.board[x][y];
      if (live && x == m.pieceX && y == m.pieceY) code = m.pieceLower;
      if (live && x == m.pieceX && y == m.pieceY - 1 && m.pieceUpper != game::kEmpty) {
        code = m.pieceUpper;  // the special pair's upper cell is no cell at all
      }
      const ui::Image& cell = m.form1.imgBlock[(y - 1) * 6 + x - 1];
      const bool shown = cell.visible() && cell.picture();
      if (code == game::kEmpty ? shown : !shown || cell.picture() != m.pictures.cell[code]) {
        return "the screen at " + std::to_string(x) + "," + std::to_string(y);
      }
    }
  }
  return "";
}

struct TraceBuffer {  // a base, so that it exists before the host that writes into it
  std::ostringstream text;
};

class Session : private TraceBuffer, public host::VirtualHost {
 public:
  explicit Session(const Script& script = Script()) : VirtualHost(Sorted(script.setup, &text)) {}
  game::Module1& m() { return game(); }
  // Start-up and a new game on these rows, for tests that call the rules themselves.
  Session& Playing(const Rows& rows = {}) {
    Start();
    flow::NewGame(m());
    m().gameActive = 1;
    PlaceRows(m(), rows);
    game::RedrawBoard(m());
    return *this;
  }
  // The trace's events whose text starts with this ("" for all).
  Events Log(const std::string& kind = "") const {
    Events found;
    std::istringstream in(text.str());
    for (std::string time, rest; in >> time && std::getline(in >> std::ws, rest);) {
      if (rest.starts_with(kind)) found.emplace_back(std::stoll(time), rest);
    }
    return found;
  }
  using VirtualHost::ClickStart, VirtualHost::KeyDown, VirtualHost::KeyUp;
  using VirtualHost::NextTimerDue, VirtualHost::PressStart, VirtualHost::ReleaseStart;

  std::function<void(Session&)> onStarted;   // NewGame has run; the board may be arranged
  std::function<void(Session&)> onLock;      // written, not yet resolved
  std::function<void(Session&)> onResolved;  // the lock's handling is over
  std::function<void(Session&, bool waiting)> onPump;
  std::function<void(Session&, const ui::Control&, ui::Change)> onChange;

  void DoEvents() override { Pumped(false), VirtualHost::DoEvents(); }
  void WaitEvents() override { Pumped(true), VirtualHost::WaitEvents(); }

 protected:
  void GameStarted() override { VirtualHost::GameStarted(), starting_ = true; }
  void PairLocked(int column, int row, int lower, int upper) override {
    VirtualHost::PairLocked(column, row, lower, upper);
    resolving_ = true;
    if (onLock) onLock(*this);
  }
  void GameOver() override { VirtualHost::GameOver(), Resolved(); }
  void ControlChanged(const ui::Control& control, ui::Change change) override {
    VirtualHost::ControlChanged(control, change);
    if (onChange) onChange(*this, control, change);
    if (&control != &m().form1.imgNextBlock[1] || change != ui::Change::kPicture) return;
    if (std::exchange(starting_, false) && onStarted) onStarted(*this);
    Resolved();
  }

 private:
  static host::VirtualSetup Sorted(host::VirtualSetup setup, std::ostream* trace) {
    std::stable_sort(setup.inputs.begin(), setup.inputs.end(),
                     [](const ScriptedInput& a, const ScriptedInput& b) { return a.at < b.at; });
    return setup.trace = trace, setup;
  }
  void Pumped(bool waiting) {
    if (onPump) onPump(*this, waiting);
  }
  void Resolved() {
    if (std::exchange(resolving_, false) && onResolved) onResolved(*this);
  }
  bool starting_ = false, resolving_ = false;
};

}  // namespace qmtest
