// The keypad on the falling pair and the start button: what the board allows, when keys are
// ignored, and how keys in the landing pause and fast drop meet the drop tick's clock.
#include <gtest/gtest.h>

#include "support/harness.h"

namespace {

using qmtest::Event;
using qmtest::kFast;
using qmtest::kLeft;
using qmtest::kRight;
using qmtest::kSwap;
using qmtest::Script;
using qmtest::Session;

// A running game whose pair is placed by hand, not yet drawn.
struct LivePair : Session {
  LivePair(int x, int y, int lower, int upper) {
    Start();
    ClickStart();
    std::tie(m().pieceX, m().pieceY, m().pieceLower, m().pieceUpper) =
        std::tuple(x, y, lower, upper);
    m().tickRunning = game::kSet;
  }
};

TEST(Keys, MovesAndSwapsGoWhereTheBoardAllowsAndRedrawThePair) {
  struct Case {
    const char* what;
    int x, y, lower, upper, key, takenX, takenY;  // a cell of kind 7 beside the pair
    int toX, toLower, toUpper;
  };
  for (const Case& c : {Case{"left wall", 1, 6, 4, 5, kLeft, 0, 0, 1, 4, 5},
                        Case{"right wall", 6, 6, 4, 5, kRight, 0, 0, 6, 4, 5},
                        Case{"beside the lower cell", 3, 6, 4, 5, kLeft, 2, 6, 3, 4, 5},
                        Case{"beside the upper cell", 3, 6, 4, 5, kLeft, 2, 5, 3, 4, 5},
                        Case{"free", 3, 6, 4, 5, kRight, 2, 5, 4, 4, 5},
                        Case{"the entry row is tested", 3, 1, 4, 5, kLeft, 2, 0, 3, 4, 5},
                        Case{"but never shown", 3, 1, 4, 5, kRight, 2, 0, 4, 4, 5},
                        Case{"the special cell has no upper", 3, 6, 8, 1, kLeft, 2, 5, 2, 8, 1},
                        Case{"but a side", 3, 6, 8, 1, kRight, 4, 6, 3, 8, 1},
                        Case{"nor swaps", 3, 6, 8, 1, kSwap, 0, 0, 3, 8, 1},
                        Case{"swap", 3, 6, 4, 5, kSwap, 0, 0, 3, 5, 4}}) {
    SCOPED_TRACE(c.what);
    LivePair s(c.x, c.y, c.lower, c.upper);
    if (c.takenX > 0) s.m().board[c.takenX][c.takenY] = 7;
    game::RedrawBoard(s.m());
    s.KeyDown(c.key);
    const game::Module1& m = s.m();
    EXPECT_EQ(std::tuple(m.pieceX, m.pieceLower, m.pieceUpper),
              std::tuple(c.toX, c.toLower, c.toUpper));
    // A move or swap draws the whole pair in its new place; a refused key draws nothing.
    if (c.toX == c.x && c.toLower == c.lower) s.m().tickRunning = game::kClear;
    EXPECT_EQ(qmtest::ScreenFault(m), "");
  }
}

TEST(Keys, AnEnteringPairAndALockBeingResolvedIgnoreEveryKey) {
  for (const bool entering : {true, false}) {
    LivePair s(3, entering ? 0 : 6, 4, 5);
    if (!entering) s.m().tickRunning = game::kClear;
    for (const int code : {kLeft, kRight, kSwap, kFast, qmtest::kEnter}) s.KeyDown(code);
    const game::Module1& m = s.m();
    EXPECT_EQ(std::tuple(m.pieceX, m.pieceLower, m.form1.nextBlockTimer.interval()),
              std::tuple(3, 4, 500));
    EXPECT_EQ(s.Log("start").size(), 1U);
  }
}

TEST(Keys, FastDropOnKeyDownAndTheLevelsSpeedOnItsRelease) {
  LivePair s(3, 6, 4, 5);
  s.m().speedLevel = 2;
  const ui::Timer& drop = s.m().form1.nextBlockTimer;
  s.KeyDown(kFast);
  s.KeyUp(kLeft);
  EXPECT_EQ(drop.interval(), 10);
  s.KeyUp(kFast);
  EXPECT_EQ(drop.interval(), 250);
  EXPECT_TRUE(drop.armed());
}

// Columns 2 and 3 stacked to row 7 without a run; the pair (2 over 3) lands in column 3 at row 6
// at 3500 and, left alone, locks there at 3750.
Event FirstLock(Script script) {
  Session s(script.Click(0).Until(8000));
  s.onStarted = [](Session& session) {
    qmtest::PlaceRows(session.m(), {".43...", ".52...", ".43...", ".52...", ".43...", ".52..."});
  };
  s.Run();
  return s.Log("lock").empty() ? Event{} : s.Log("lock")[0];
}

TEST(Keys, KeysActInTheLandingPauseAndASlideOverAGapCancelsTheLock) {
  EXPECT_EQ(FirstLock(Script()), Event(3750, "lock 3 6 2 3"));
  EXPECT_EQ(FirstLock(Script().Key(3600, kSwap)), Event(3750, "lock 3 6 3 2"));
  EXPECT_EQ(FirstLock(Script().Key(3600, kLeft)), Event(3750, "lock 2 6 2 3"));
  // Over the empty column the pair falls on from the next tick, even when slid back.
  EXPECT_EQ(FirstLock(Script().Key(3600, kRight)), Event(4000 + 6 * 500 + 250, "lock 4 12 2 3"));
  EXPECT_EQ(FirstLock(Script().Key(3600, kRight).Key(3700, kLeft)), Event(4250, "lock 3 6 2 3"));
}

TEST(StartButton, APressDrawsTwoRingsOnlyWhileNoGameRunsAndTheReleaseClearsThem) {
  Session s;
  s.Start();
  const ui::PictureBox& button = s.m().form1.btStart;
  s.PressStart();
  ASSERT_EQ(button.drawn().size(), 2U);
  const auto [o, i] = std::pair(button.drawn()[0], button.drawn()[1]);
  EXPECT_EQ(std::tuple(o.x1, o.y1, o.x2, o.y2, i.x1, i.y1, i.x2, i.y2),
            std::tuple(0, 0, 57, 27, 1, 1, 56, 26));
  EXPECT_EQ(s.m().gameActive, 0);  // the press alone starts nothing
  s.ReleaseStart();
  const ui::Form1& f = s.m().form1;
  EXPECT_TRUE(button.drawn().empty() && s.m().gameActive == 1);
  EXPECT_TRUE(f.imgNextBlock[0].visible() && f.imgNextBlock[1].visible() && f.imgSeason.visible());
  EXPECT_EQ(std::pair(*s.NextTimerDue(), f.seasonTimer.due()),
            std::pair(ui::Millis{500}, ui::Millis{10000}));
  s.PressStart();  // while the game runs: no rings, and the release starts nothing
  s.ReleaseStart();
  EXPECT_TRUE(button.drawn().empty());
  EXPECT_EQ(s.Log("start").size(), 1U);
}

}  // namespace
