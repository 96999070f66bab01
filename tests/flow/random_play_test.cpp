// Whole sessions from thousands of seeded random scripts: every one must end (no crash, no
// hang), and the board must stay sound after every lock while the pair never overlaps a cell.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "flow/session.h"

namespace {

using qtest::Script;
using qtest::Session;
using ui::Millis;

int SessionCount() {
  if (const char* n = std::getenv("QM_RANDOM_SCRIPTS")) return std::atoi(n);
#if defined(__SANITIZE_ADDRESS__)
  return 600;  // the sanitizers make each session many times slower
#else
  return 5000;
#endif
}

// A script as `quillmere-sim play` reads it, so that a failure can be replayed.
std::string AsPlayText(const host::VirtualSetup& setup) {
  std::ostringstream out;
  if (setup.draws.empty()) {
    out << "seed " << setup.seed << '\n';
  } else {
    out << "draws";
    for (const int kind : setup.draws) out << ' ' << kind;
    out << '\n';
  }
  static const char* const kNames[] = {"click", "down", "up", "promoclick", "focus main", "close"};
  for (const host::ScriptedInput& input : setup.inputs) {
    out << "at " << input.at << ' ' << kNames[input.kind];
    if (input.kind == host::ScriptedInput::kDown || input.kind == host::ScriptedInput::kUp) {
      out << ' ' << input.code;
    }
    out << '\n';
  }
  out << "until " << *setup.until << '\n';
  return out.str();
}

Script RandomScript(std::uint32_t seed) {
  std::mt19937 rng(seed);
  auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  Script script;
  if (uniform(0, 3) == 0) {
    std::vector<int> draws(uniform(1, 8));
    for (int& kind : draws) kind = uniform(2, 7);
    script.Draws(draws);
  } else {
    script.Seed(seed);
  }
  const Millis horizon = uniform(2000, 150000);
  if (uniform(0, 9) > 0) script.Click(uniform(0, 2000));
  static const int kKeys[] = {qtest::kLeft, qtest::kRight, qtest::kSwap, qtest::kFast};
  const int count = uniform(0, 400);
  for (int i = 0; i < count; ++i) {
    const Millis at = uniform(0, static_cast<int>(horizon));
    const int what = uniform(0, 99);
    if (what < 40) {
      script.Down(at, kKeys[uniform(0, 3)]);
    } else if (what < 70) {
      script.Up(at, kKeys[uniform(0, 3)]);
    } else if (what < 80) {
      // Keypad 2 held with auto-repeat, then released.
      const Millis end = at + uniform(100, 3000);
      for (Millis t = at; t < end; t += 30) script.Down(t, qtest::kFast);
      script.Up(end, qtest::kFast);
    } else if (what < 86) {
      script.Key(at, qtest::kEnter);
    } else if (what < 91) {
      script.Click(at);
    } else if (what < 95) {
      script.PromoClick(at);
    } else if (what < 99) {
      script.FocusMain(at);
    } else if (uniform(0, 3) == 0) {
      script.Close(at);
    }
  }
  script.Until(horizon + uniform(0, 5000));
  return script;
}

// Codes 1..7 in the field and entry row, walls and floor of 9, 0 beyond, no cell over a gap.
std::string BoardFault(const game::Module1& m) {
  std::ostringstream why;
  for (int x = 0; x < game::kBoardColumns; ++x) {
    for (int y = 0; y < game::kBoardRows; ++y) {
      const int code = m.board[x][y];
      const bool field = x >= 1 && x <= 6 && y <= 12;
      const bool wall = !field && x <= 7 && y <= 13;
      if (field ? (code < 1 || code > 7) : code != (wall ? 9 : 0)) {
        why << "code " << code << " at " << x << "," << y << "; ";
      }
      if (field && code != game::kEmpty && m.board[x][y + 1] == game::kEmpty) {
        why << "cell over a gap at " << x << "," << y << "; ";
      }
    }
  }
  return why.str();
}

// While the pair is live in the field, both its cells are free board cells.
std::string PairFault(const game::Module1& m) {
  if (m.gameActive == 0 || m.tickRunning != game::kSet || m.pieceY < 1) return "";
  std::ostringstream why;
  if (m.pieceX < 1 || m.pieceX > 6 || m.pieceY > 12) {
    why << "pair at " << m.pieceX << "," << m.pieceY;
  } else if (m.board[m.pieceX][m.pieceY] != game::kEmpty ||
             (m.pieceLower != game::kSpecial && m.board[m.pieceX][m.pieceY - 1] != game::kEmpty)) {
    why << "pair overlaps a cell at " << m.pieceX << "," << m.pieceY;
  }
  return why.str();
}

TEST(RandomPlay, SessionsEndAndKeepTheBoardSound) {
  constexpr long kPumpLimit = 2'000'000;  // far above any session's need: a hang, if reached
  const int sessions = SessionCount();
  int failures = 0;
  long totalLocks = 0, games = 0;
  for (int i = 0; i < sessions && failures < 3; ++i) {
    const Script script = RandomScript(static_cast<std::uint32_t>(i));
    Session s(script, /*traced=*/false);
    std::string fault;
    long pumps = 0;
    auto note = [&fault](Session& session, const std::string& what) {
      if (what.empty() || !fault.empty()) return;
      fault = "at " + std::to_string(session.NowMs()) + " ms: " + what;
    };
    s.onResolved = [&](Session& session) { note(session, BoardFault(session.m())); };
    s.onPump = [&](Session& session) {
      note(session, PairFault(session.m()));
      if (++pumps > kPumpLimit) {
        note(session, "no end after " + std::to_string(kPumpLimit) + " pumps");
        ui::Platform::EndProgram();
      }
    };
    s.onControlChanged = [&](Session& session) { note(session, PairFault(session.m())); };
    s.onStarted = [&games](Session&) { ++games; };
    s.Run();
    note(s, s.NowMs() <= *script.setup.until ? "" : "ran past its end");
    // Keypad 2's release between games must not wake the drop timer.
    const ui::Form1& f = s.m().form1;
    const bool idleTimers = !f.nextBlockTimer.armed() && !f.seasonTimer.armed();
    note(s, s.m().gameActive == 0 && !idleTimers ? "a timer runs with no game" : "");
    totalLocks += static_cast<long>(s.locks.size());
    if (!fault.empty()) {
      ++failures;
      ADD_FAILURE() << "script " << i << ", " << fault << "\n" << AsPlayText(script.setup);
    }
  }
  // The scripts must actually play: many games, many locks.
  EXPECT_GT(games, sessions / 2);
  EXPECT_GT(totalLocks, 10L * sessions);
}

}  // namespace
