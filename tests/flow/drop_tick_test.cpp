// The drop tick on the virtual clock: when pairs appear, land and lock, the landing pause, the
// speed that follows the score, the end of a game, a close in the middle of a tick.
#include <gtest/gtest.h>

#include "flow/drop_tick.h"
#include "support/harness.h"

namespace {

using qmtest::Event;
using qmtest::Events;
using qmtest::Script;
using qmtest::Session;

TEST(DropTick, TheLandingPauseIsHalfTheLevelsIntervalEvenInAFastDrop) {
  // The pair enters unseen and 13 ticks bring it onto the floor; then the pause. At level 1 with
  // keypad 2 from 334, rows 2 to 12 take 10 ms each (landed at 454) but the pause stays 166 ms.
  // Level, keypad 2 from, lock.
  const int kCases[][3] = {
      {0, 0, 6750}, {1, 0, 13 * 333 + 166}, {2, 0, 3375}, {3, 0, 2700}, {1, 334, 454 + 166}};
  for (auto [level, fastFrom, lockAt] : kCases) {
    Script script = Script().Click(0).Until(7000);
    Session s(fastFrom ? script.Down(fastFrom, qmtest::kFast) : script);
    s.onStarted = [level](Session& session) { session.m().speedLevel = level; };
    s.Run();
    EXPECT_EQ(s.Log("lock").at(0), Event(lockAt, "lock 3 12 2 3")) << "level " << level;
  }
}

TEST(DropTick, TheSpeedFollowsTheScoreButAbove300KeepsTheLevel) {
  const int kCases[][3] = {{50, 3, 0},  {51, 0, 1},  {100, 0, 1}, {101, 0, 2}, {200, 3, 2},
                           {201, 0, 3}, {300, 0, 3}, {301, 2, 2}};  // score, before, after
  for (auto [score, before, after] : kCases) {
    EXPECT_EQ(flow::SpeedLevelFor(score, before), after) << score << " from " << before;
  }
  // The next pair falls at the new level from the lock on, with its landing pause.
  const int kLocks[][4] = {{120, 0, 2, 125}, {310, 1, 1, 166}};
  for (auto [score, before, after, pause] : kLocks) {
    Session s(Script().Click(0).Until(20000));
    s.onLock = [score, before](Session& session) {
      if (session.Log("lock").size() == 1)
        session.m().speedLevel = before, session.m().score = score;
    };
    s.Run();
    EXPECT_EQ(s.m().speedLevel, after);
    EXPECT_EQ(s.Log("lock").at(1).first, 6750 + 11 * s.m().dropInterval[after] + pause) << score;
  }
}

TEST(DropTick, TheEndStopsTheClocksAndHidesTheFieldButKeepsBoardAndScore) {
  Session s(Script().Click(0).Until(40000));  // the seventh pair locks at its entry place
  s.Run();
  EXPECT_EQ(s.Log("gameover"), (Events{{26250, "gameover"}}));
  const game::Module1& m = s.m();
  const ui::Form1& f = m.form1;
  EXPECT_EQ(m.gameActive, 0);
  for (const ui::Timer* t : {&f.nextBlockTimer, &f.seasonTimer, &f.waitTImer, &f.waitActionTimer}) {
    EXPECT_FALSE(t->enabled() || t->armed()) << t->name();
  }
  EXPECT_EQ(f.nextBlockTimer.interval(), 0);
  EXPECT_FALSE(f.imgSeason.visible() || f.imgNextBlock[0].visible() || f.imgNextBlock[1].visible());
  for (const ui::Image& cell : f.imgBlock) EXPECT_FALSE(cell.visible() && cell.picture());
  EXPECT_EQ(std::pair(m.board[3][12], m.board[3][0]), std::pair(2, 2));  // the last upper is lost
  EXPECT_EQ(f.labelScore.caption(), "0");
  EXPECT_LT(s.Log("season").back().first, 26250);
}

TEST(DropTick, ACloseInsideAPauseEndsAtOnce) {
  // In the landing pause: the slide after the close would cancel the lock were it delivered.
  Session landing(Script().Click(0).At(6600, qmtest::ScriptedInput::kClose).Down(6600, 102));
  int pumpsAfterClose = 0;
  landing.onPump = [&pumpsAfterClose](Session& s, bool) { pumpsAfterClose += s.NowMs() > 6600; };
  landing.Run();
  EXPECT_TRUE(landing.Log("lock").empty());
  EXPECT_EQ(landing.Log().back(), Events::value_type(6600, "end"));
  EXPECT_EQ(std::pair(pumpsAfterClose, landing.m().pieceX), std::pair(0, 3));
  // In a removal's pause: the pair's 2 lands on two 2s.
  Session removal(Script().Click(0).At(5800, qmtest::ScriptedInput::kClose));
  removal.onStarted = [](Session& s) { qmtest::PlaceRows(s.m(), {"..2...", "..2..."}); };
  removal.Run();
  const Events log = removal.Log();
  EXPECT_EQ(Events(log.end() - 2, log.end()), (Events{{5750, "lock 3 10 2 3"}, {5800, "end"}}));
  EXPECT_FALSE(removal.m().form1.nextBlockTimer.running);
}

}  // namespace
