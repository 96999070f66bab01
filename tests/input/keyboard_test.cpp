// The keypad on the falling pair: which moves the board allows, when keys are ignored, and how
// moves in the landing pause and fast drop meet the drop tick's clock.
#include <gtest/gtest.h>

#include "flow/drop_tick.h"
#include "flow/session.h"
#include "flow/startup.h"
#include "input/keyboard.h"
#include "input/start_button.h"

namespace {

using game::kSet;
using qtest::CellIndex;
using qtest::kFast;
using qtest::kLeft;
using qtest::kRight;
using qtest::kSwap;
using qtest::Script;
using qtest::Session;

const std::vector<int> kCycle = {2, 3, 4, 5, 6, 7};

// A started game whose pair is placed by hand, with keys sent straight to the handlers.
class LivePair : public ::testing::Test {
 protected:
  LivePair() : s(Script().Draws(kCycle)) {
    flow::Main(m());
    input::btStart_MouseDown(m());
    input::btStart_MouseUp(m());
  }
  game::Module1& m() { return s.m(); }
  void Place(int x, int y, int lower, int upper) {
    m().pieceX = x;
    m().pieceY = y;
    m().pieceLower = lower;
    m().pieceUpper = upper;
    m().tickRunning = kSet;
  }
  void Key(int code) { input::Form_KeyDown(m(), code); }
  bool Shown(int x, int y) { return m().form1.imgBlock[CellIndex(x, y)].visible(); }
  bool ShowsKind(int x, int y, int kind) {
    const ui::Image& cell = m().form1.imgBlock[CellIndex(x, y)];
    return cell.visible() && cell.picture() == m().form1.imgBlockType[kind].picture();
  }

  Session s;
};

TEST_F(LivePair, WallsAndTakenCellsRefuseMoves) {
  Place(1, 6, 4, 5);
  Key(kLeft);
  EXPECT_EQ(m().pieceX, 1);
  Place(6, 6, 4, 5);
  Key(kRight);
  EXPECT_EQ(m().pieceX, 6);

  // Either cell of the next column taken refuses the move.
  Place(3, 6, 4, 5);
  m().board[2][6] = 7;
  Key(kLeft);
  EXPECT_EQ(m().pieceX, 3);
  m().board[2][6] = 1;
  m().board[2][5] = 7;
  Key(kLeft);
  EXPECT_EQ(m().pieceX, 3);

  Key(kRight);
  EXPECT_EQ(m().pieceX, 4);
  EXPECT_TRUE(ShowsKind(4, 6, 4));
  EXPECT_TRUE(ShowsKind(4, 5, 5));
  EXPECT_FALSE(Shown(3, 6));
  EXPECT_FALSE(Shown(3, 5));
}

TEST_F(LivePair, InRowOneTheEntryRowIsTestedButNeverShown) {
  Place(3, 1, 4, 5);
  m().board[2][0] = 6;  // a kind left in the entry row
  Key(kLeft);
  EXPECT_EQ(m().pieceX, 3);
  Key(kRight);
  EXPECT_EQ(m().pieceX, 4);
  EXPECT_TRUE(ShowsKind(4, 1, 4));
  int shown = 0;
  for (const ui::Image& cell : m().form1.imgBlock) shown += cell.visible() && cell.picture();
  EXPECT_EQ(shown, 1);
}

TEST_F(LivePair, SpecialCellTestsOnlyItsSideAndIgnoresSwap) {
  Place(3, 6, 8, 1);
  m().board[2][5] = 7;  // above the side cell: no upper cell of ours goes there
  Key(kLeft);
  EXPECT_EQ(m().pieceX, 2);
  EXPECT_TRUE(ShowsKind(2, 6, 8));
  m().board[3][6] = 7;
  Key(kRight);
  EXPECT_EQ(m().pieceX, 2);

  Key(kSwap);
  EXPECT_EQ(m().pieceLower, 8);
  EXPECT_EQ(m().pieceUpper, 1);
}

TEST_F(LivePair, SwapExchangesAndRedrawsTheKinds) {
  Place(3, 6, 4, 5);
  Key(kSwap);
  EXPECT_EQ(m().pieceLower, 5);
  EXPECT_EQ(m().pieceUpper, 4);
  EXPECT_TRUE(ShowsKind(3, 6, 5));
  EXPECT_TRUE(ShowsKind(3, 5, 4));
  EXPECT_EQ(m().pieceX, 3);
}

TEST_F(LivePair, FastDropOnKeyDownLevelSpeedOnRelease) {
  Place(3, 6, 4, 5);
  m().speedLevel = 2;
  Key(kFast);
  EXPECT_EQ(m().form1.nextBlockTimer.interval(), 10);
  Key(kFast);  // auto-repeat
  EXPECT_EQ(m().form1.nextBlockTimer.interval(), 10);
  input::Form_KeyUp(m(), kLeft);
  EXPECT_EQ(m().form1.nextBlockTimer.interval(), 10);
  input::Form_KeyUp(m(), kFast);
  EXPECT_EQ(m().form1.nextBlockTimer.interval(), 250);
  EXPECT_TRUE(m().form1.nextBlockTimer.armed());
}

TEST_F(LivePair, EnteringPairAndCommittedLockIgnoreEveryKey) {
  for (const bool entering : {true, false}) {
    Place(3, entering ? 0 : 6, 4, 5);
    if (!entering) m().tickRunning = game::kClear;
    for (const int code : {kLeft, kRight, kSwap, kFast, qtest::kEnter}) Key(code);
    EXPECT_EQ(m().pieceX, 3);
    EXPECT_EQ(m().pieceLower, 4);
    EXPECT_EQ(m().form1.nextBlockTimer.interval(), 500);
    EXPECT_EQ(m().gameActive, 1);
  }
}

// Columns 2 and 3 filled to row 7 without any run; the pair (2 over 3) lands in column 3 at
// row 6 at 3500 and, left alone, locks there at 3750.
void TwoColumns(Session& s) {
  s.onStarted = [](Session& session) {
    qtest::SetField(session.m(), {".43...", ".52...", ".43...", ".52...", ".43...", ".52..."});
  };
}

std::vector<qtest::LockSeen> LocksWith(Script script) {
  Session s(script.Draws(kCycle).Click(0).Until(8000));
  TwoColumns(s);
  s.Run();
  return s.locks;
}

TEST(LandingPause, KeysStillActAndASlideOverAGapCancelsTheLock) {
  const Script start;
  auto first = [](const std::vector<qtest::LockSeen>& locks) {
    EXPECT_FALSE(locks.empty());
    const qtest::LockSeen l = locks.empty() ? qtest::LockSeen{} : locks[0];
    return std::vector<int>{static_cast<int>(l.at), l.column, l.row, l.lower, l.upper};
  };
  EXPECT_EQ(first(LocksWith(start)), (std::vector<int>{3750, 3, 6, 2, 3}));
  EXPECT_EQ(first(LocksWith(Script(start).Key(3600, kSwap))), (std::vector<int>{3750, 3, 6, 3, 2}));
  // Over the filled column: it locks there, in the same pause.
  EXPECT_EQ(first(LocksWith(Script(start).Key(3600, kLeft))), (std::vector<int>{3750, 2, 6, 2, 3}));
  // Over the empty column: no lock; the pair falls on from the next tick.
  EXPECT_EQ(first(LocksWith(Script(start).Key(3600, kRight))),
            (std::vector<int>{4000 + 6 * 500 + 250, 4, 12, 2, 3}));
  // Back over the filled column before the pause ends: still no lock in this pause.
  EXPECT_EQ(first(LocksWith(Script(start).Key(3600, kRight).Key(3700, kLeft))),
            (std::vector<int>{4250, 3, 6, 2, 3}));
}

TEST(LockResolution, KeysDuringItChangeNothing) {
  // The pair's 2 completes a column of 2s: a removal with its pauses runs from 5750 on.
  int pumpsInResolution = 0, pairChanges = 0;
  auto traceWith = [&](Script script) {
    Session s(script.Draws(kCycle).Click(0).Until(14000));
    s.onStarted = [](Session& session) { qtest::SetField(session.m(), {"..2...", "..2..."}); };
    s.onPump = [&](Session& session) {
      const game::Module1& m = session.m();
      if (m.tickRunning != game::kClear || session.NowMs() > 6350) return;
      ++pumpsInResolution;
      pairChanges += m.pieceX != 3 || m.pieceLower != 2 || m.pieceUpper != 3 ||
                     m.form1.nextBlockTimer.interval() != 500;
    };
    s.Run();
    return s.TraceLines();
  };
  const std::vector<std::string> quiet = traceWith(Script());
  ASSERT_GE(quiet.size(), 6U);
  ASSERT_EQ(quiet[4], "5750 lock 3 10 2 3");
  ASSERT_EQ(quiet[6], "6350 next 6 7");
  Script keys;
  for (ui::Millis t = 5760; t < 6300; t += 40) {
    keys.Down(t, kLeft).Down(t + 10, kRight).Down(t + 20, kSwap).Down(t + 30, kFast);
  }
  pumpsInResolution = 0;
  EXPECT_EQ(traceWith(keys), quiet);
  EXPECT_GT(pumpsInResolution, 5);
  EXPECT_EQ(pairChanges, 0);
}

TEST(FastDrop, EndsWithTheLockOfItsPair) {
  // Row 1 at 500; fast from 600: rows 2..12 at 610..710, landing at 720, lock at 970. The next
  // pair falls at 500 ms again though the key was never released.
  Session s(Script().Draws(kCycle).Click(0).Down(600, kFast).Until(9000));
  s.Run();
  ASSERT_GE(s.locks.size(), 2U);
  EXPECT_EQ(s.locks[0].at, 970);
  EXPECT_EQ(s.locks[1].at, 970 + 11 * 500 + 250);  // onto the first pair
}

TEST(FastDrop, EndsWithTheRelease) {
  // Fast ticks at 610..640 reach row 5; the release at 650 comes before the tick due then and
  // restarts the 500 ms countdown: rows 6..12 at 1150..4150, landing at 4650.
  Session s(Script().Draws(kCycle).Click(0).Down(600, kFast).Up(650, kFast).Until(9000));
  s.Run();
  ASSERT_FALSE(s.locks.empty());
  EXPECT_EQ(s.locks[0].at, 4650 + 250);
}

TEST(EnterKey, StartsAGameOnlyWhileNoneRuns) {
  Session s(Script().Draws(kCycle).Key(0, qtest::kEnter).Key(1000, qtest::kEnter).Until(7000));
  s.Run();
  EXPECT_EQ(s.Events("start").size(), 1U);
  ASSERT_EQ(s.locks.size(), 1U);
  EXPECT_EQ(s.locks[0].at, 6750);
  EXPECT_TRUE(s.m().form1.btStart.drawn().empty());
}

TEST(EnterKey, KeypadReleaseBeforeAnyGameLeavesTheDropTimerOff) {
  Session s(Script().Draws(kCycle).Down(100, kFast).Up(200, kFast).Until(5000));
  s.Run();
  const ui::Timer& drop = s.m().form1.nextBlockTimer;
  EXPECT_EQ(drop.interval(), 500);
  EXPECT_FALSE(drop.enabled());
  EXPECT_FALSE(drop.armed());
  EXPECT_EQ(s.m().tickRunning, 0);  // no tick ever ran
  EXPECT_EQ(s.TraceLines(), std::vector<std::string>{"5000 end"});
}

}  // namespace
