// Whole sessions from thousands of seeded random scripts: every one must end (no crash, no
// hang), the board must stay sound after every lock and the pair never overlaps a cell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "support/harness.h"

namespace {

using qmtest::ScriptedInput;

int SessionCount() {
  if (const char* n = std::getenv("QM_RANDOM_SCRIPTS")) return std::atoi(n);
#if defined(__SANITIZE_ADDRESS__)
  return 600;  // the sanitizers make each session many times slower
#else
  return 5000;
#endif
}

qmtest::Script RandomScript(std::uint32_t seed) {
  std::mt19937 rng(seed);
  auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  qmtest::Script script;
  script.setup.draws.assign(uniform(0, 3) == 0 ? uniform(1, 8) : 0, 0);  // none: seeded
  for (int& kind : script.setup.draws) kind = uniform(2, 7);
  script.setup.seed = seed;
  const int horizon = uniform(2000, 150000);
  if (uniform(0, 9) > 0) script.Click(uniform(0, 2000));
  const int keys[] = {qmtest::kLeft, qmtest::kRight, qmtest::kSwap, qmtest::kFast};
  for (int i = uniform(0, 400); i > 0; --i) {
    const ui::Millis at = uniform(0, horizon);
    const int what = uniform(0, 99);
    if (what < 70) {
      script.At(at, what < 40 ? ScriptedInput::kDown : ScriptedInput::kUp, keys[uniform(0, 3)]);
    } else if (what < 80) {  // keypad 2 held with auto-repeat, then released
      const ui::Millis end = at + uniform(100, 3000);
      for (ui::Millis t = at; t < end; t += 30) script.Down(t, qmtest::kFast);
      script.At(end, ScriptedInput::kUp, qmtest::kFast);
    } else if (what < 99) {
      const ScriptedInput::Kind kinds[] = {ScriptedInput::kDown, ScriptedInput::kClick,
                                           ScriptedInput::kPromoClick, ScriptedInput::kFocusMain};
      script.At(at, kinds[(what - 80) / 5], qmtest::kEnter);
    } else if (uniform(0, 3) == 0) {
      script.At(at, ScriptedInput::kClose);
    }
  }
  return script.Until(horizon + uniform(0, 5000));
}

// Codes 1 to 7 in the field and the entry row, 9 in walls and floor, 0 beyond; no cell over a
// gap; while the pair is live in the field, both its cells free.
std::string Fault(const game::Module1& m, bool pairOnly) {
  for (int x = 0; !pairOnly && x < game::kBoardColumns; ++x) {
    for (int y = 0; y < game::kBoardRows; ++y) {
      const int code = m.board[x][y];
      const bool field = x >= 1 && x <= 6 && y <= 12, wall = !field && x <= 7 && y <= 13;
      const std::string at = " at " + std::to_string(x) + "," + std::to_string(y);
      if (field ? (code < 1 || code > 7) : code != (wall ? 9 : 0)) return "code" + at;
      if (field && code != game::kEmpty && m.board[x][y + 1] == game::kEmpty) return "gap" + at;
    }
  }
  if (m.gameActive == 0 || m.tickRunning != game::kSet || m.pieceY < 1) return "";
  if (m.pieceX < 1 || m.pieceX > 6 || m.pieceY > 12) return "the pair outside the field";
  const bool upperFree = m.pieceLower == game::kSpecial || m.board[m.pieceX][m.pieceY - 1] == 1;
  return m.board[m.pieceX][m.pieceY] == 1 && upperFree ? "" : "the pair over a cell";
}

TEST(RandomPlay, SessionsEndAndKeepTheBoardSound) {
  constexpr long kPumpLimit = 2'000'000;  // far above any session's need: a hang, if reached
  const int sessions = SessionCount();
  long locks = 0, games = 0, failures = 0;
  for (int i = 0; i < sessions && failures < 3; ++i) {
    const qmtest::Script script = RandomScript(static_cast<std::uint32_t>(i));
    qmtest::Session s(script);
    std::string fault;
    long pumps = 0;
    auto note = [&](const std::string& what) {
      if (!what.empty() && fault.empty()) fault = "at " + std::to_string(s.NowMs()) + ": " + what;
    };
    s.onResolved = [&](qmtest::Session& session) { note(Fault(session.m(), false)); };
    s.onChange = [&](qmtest::Session& session, const ui::Control&, ui::Change) {
      note(Fault(session.m(), true));
    };
    s.onPump = [&](qmtest::Session& session, bool waiting) {
      note(Fault(session.m(), true));
      if (waiting && session.m().tickRunning == game::kSet) note(qmtest::ScreenFault(session.m()));
      if (++pumps > kPumpLimit) note("no end after 2000000 pumps"), ui::Platform::EndProgram();
    };
    s.onStarted = [&games](qmtest::Session&) { ++games; };
    s.Run();
    note(s.NowMs() <= *script.setup.until ? "" : "ran past its end");
    // Keypad 2's release between games must not wake the drop timer.
    const ui::Form1& f = s.m().form1;
    const bool idle = !f.nextBlockTimer.armed() && !f.seasonTimer.armed();
    note(s.m().gameActive == 0 && !idle ? "a timer runs with no game" : "");
    locks += static_cast<long>(s.Log("lock").size());
    if (!fault.empty()) ADD_FAILURE() << "RandomScript(" << i << "), " << fault, ++failures;
  }
  EXPECT_GT(games, sessions / 2);  // the scripts must really play
  EXPECT_GT(locks, 10L * sessions);
}

}  // namespace
