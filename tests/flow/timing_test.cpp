// The game's clock: when pairs appear, land and lock, how long the landing pause lasts, how the
// seasons turn and when the special pair comes; all in virtual time.
#include <gtest/gtest.h>

#include <array>

#include "flow/session.h"
#include "game/board.h"

namespace {

using qtest::CellIndex;
using qtest::kFast;
using qtest::Script;
using qtest::Session;

const std::vector<int> kCycle = {2, 3, 4, 5, 6, 7};

// Keeps the game going for as long as a test likes: every lock leaves an empty field.
void EmptyFieldAfterEachLock(Session& s) {
  s.onResolved = [](Session& session) { game::ResetBoard(session.m()); };
}

// Holds keypad 2 as auto-repeat would, from..to.
void HoldFastDrop(Script& script, ui::Millis from, ui::Millis to) {
  for (ui::Millis t = from; t <= to; t += 30) script.Down(t, kFast);
}

TEST(DropTiming, PairEntersHiddenFallsOneRowPerIntervalAndLocksAt6750) {
  Session s(Script().Draws(kCycle).Click(0).Until(7300));
  s.recordCellShows = true;
  s.Run();

  ASSERT_EQ(s.locks.size(), 1U);
  const qtest::LockSeen& lock = s.locks[0];
  EXPECT_EQ(lock.at, 6750);
  EXPECT_EQ(lock.column, 3);
  EXPECT_EQ(lock.row, 12);
  EXPECT_EQ(lock.lower, 2);
  EXPECT_EQ(lock.upper, 3);

  // Nothing of the pair shows during its first interval; then only its lower cell in row 1,
  // and both cells from the second tick on.
  ASSERT_GE(s.cellShows.size(), 3U);
  using Show = std::pair<ui::Millis, int>;
  EXPECT_EQ(s.cellShows[0], Show(500, CellIndex(3, 1)));
  EXPECT_EQ(s.cellShows[1], Show(1000, CellIndex(3, 2)));
  EXPECT_EQ(s.cellShows[2], Show(1000, CellIndex(3, 1)));
  // The next pair too stays hidden for one interval after the lock.
  for (const Show& show : s.cellShows) {
    EXPECT_FALSE(show.first > 6000 && show.first < 7250) << show.first;
  }
  EXPECT_EQ(s.cellShows.back(), Show(7250, CellIndex(3, 1)));
}

TEST(DropTiming, LandingPauseIsHalfTheLevelsInterval) {
  // An empty column: 13 ticks bring the pair onto the floor, then the pause.
  const std::array<int, 4> lockAt = {13 * 500 + 250, 13 * 333 + 166, 13 * 250 + 125,
                                     13 * 200 + 100};
  for (int level = 0; level < 4; ++level) {
    Session s(Script().Draws(kCycle).Click(0).Until(7000));
    s.onStarted = [level](Session& session) { session.m().speedLevel = level; };
    s.Run();
    ASSERT_FALSE(s.locks.empty()) << level;
    EXPECT_EQ(s.locks[0].at, lockAt[level]) << "level " << level;
  }
}

TEST(DropTiming, LandingPauseIgnoresFastDrop) {
  // Level 1: row 1 at 333; fast from 334 gives rows 2..12 at 344..444, the landing at 454,
  // and the pause is still 166 ms, not 5.
  Script script = Script().Draws(kCycle).Click(0).Down(334, kFast).Until(1000);
  Session s(script);
  s.onStarted = [](Session& session) { session.m().speedLevel = 1; };
  s.Run();
  ASSERT_FALSE(s.locks.empty());
  EXPECT_EQ(s.locks[0].at, 454 + 166);
}

TEST(DropTiming, SpeedFollowsScoreButAbove300KeepsTheLevel) {
  struct Case {
    int levelBefore, scoreAfter, levelAfter;
  };
  for (const Case c :
       {Case{0, 40, 0}, Case{0, 120, 2}, Case{1, 250, 3}, Case{2, 310, 2}, Case{0, 310, 0}}) {
    Session s(Script().Draws(kCycle).Click(0).Until(20000));
    s.onLock = [c](Session& session, const qtest::LockSeen&) {
      if (session.locks.size() != 1) return;
      session.m().speedLevel = c.levelBefore;
      session.m().score = c.scoreAfter;
    };
    s.Run();
    ASSERT_GE(s.locks.size(), 2U);
    EXPECT_EQ(s.m().speedLevel, c.levelAfter);
    // The next pair falls at the new level's speed from the lock on.
    const int interval = s.m().dropInterval[c.levelAfter];
    const int pause = (c.levelAfter == 1) ? 166 : interval / 2;
    EXPECT_EQ(s.locks[1].at, 6750 + 11 * interval + pause)
        << "score " << c.scoreAfter << " from level " << c.levelBefore;
  }
}

TEST(Seasons, TurnEveryTenSecondsSpringAtThirty) {
  Session s(Script().Draws(kCycle).Click(0).Until(85000));
  EmptyFieldAfterEachLock(s);
  s.Run();
  const std::vector<std::pair<ui::Millis, std::string>> expected = {
      {0, "season 1"},     {10000, "season 2"}, {20000, "season 3"},
      {30000, "season 0"}, {40000, "season 1"}, {50000, "season 2"},
      {60000, "season 3"}, {70000, "season 0"}, {80000, "season 1"}};
  EXPECT_EQ(s.Events("season"), expected);
}

TEST(Seasons, SpecialPairOnlyAsFirstPreviewOfEachSpring) {
  // Fast drops make many previews per season, so a second one in the same spring is tested.
  Script script = Script().Draws(kCycle).Click(0).Until(115000);
  HoldFastDrop(script, 0, 115000);
  Session s(script);
  EmptyFieldAfterEachLock(s);
  s.Run();

  int season = 1, specials = 0, nextsInSpring = 0;
  bool freshSpring = false;
  for (const auto& [at, line] : s.Events("")) {
    if (line.starts_with("season ")) {
      season = line.back() - '0';
      freshSpring = season == 0;
    } else if (line.starts_with("next ")) {
      const bool special = line == "next 8 1";
      EXPECT_EQ(special, season == 0 && freshSpring) << "at " << at;
      if (season == 0) ++nextsInSpring;
      if (special) {
        ++specials;
        freshSpring = false;
      }
    }
  }
  EXPECT_EQ(specials, 3);  // the springs at 30, 70 and 110 s
  EXPECT_GT(nextsInSpring, 2 * specials);
  // The special pair enters and locks as a single cell.
  int specialLocks = 0;
  for (const qtest::LockSeen& lock : s.locks) specialLocks += lock.lower == 8 && lock.upper == 1;
  EXPECT_EQ(specialLocks, 3);
}

TEST(EndOfGame, StopsTimersHidesFieldKeepsBoardAndScore) {
  // Pairs of the cycle stack without a run; the seventh locks at its entry place.
  Session s(Script().Draws(kCycle).Click(0).Until(40000));
  s.Run();
  EXPECT_EQ(s.Events("gameover"),
            (std::vector<std::pair<ui::Millis, std::string>>{{26250, "gameover"}}));
  const game::Module1& m = s.m();
  const ui::Form1& f = m.form1;
  EXPECT_EQ(m.gameActive, 0);
  for (const ui::Timer* timer :
       {&f.nextBlockTimer, &f.seasonTimer, &f.waitTImer, &f.waitActionTimer}) {
    EXPECT_FALSE(timer->enabled()) << timer->name();
    EXPECT_FALSE(timer->armed()) << timer->name();
  }
  EXPECT_EQ(f.nextBlockTimer.interval(), 0);
  EXPECT_FALSE(f.imgSeason.visible());
  EXPECT_FALSE(f.imgNextBlock[0].visible());
  EXPECT_FALSE(f.imgNextBlock[1].visible());
  for (const ui::Image& cell : f.imgBlock) EXPECT_FALSE(cell.visible());
  EXPECT_EQ(m.board[3][12], 2);
  EXPECT_EQ(m.board[3][0], 2);
  EXPECT_EQ(f.labelScore.caption(), "0");
  // The season clock stopped with the game.
  const auto seasons = s.Events("season");
  EXPECT_LT(seasons.back().first, 26250);
}

TEST(Close, InsideLandingPauseEndsAtOnce) {
  // The slide right after the close would cancel the lock if it were still delivered.
  Session s(Script().Draws(kCycle).Click(0).Close(6600).Down(6600, qtest::kRight).Until(9000));
  int pumpsAfterClose = 0;
  s.onPump = [&pumpsAfterClose](Session& session) {
    if (session.NowMs() > 6600) ++pumpsAfterClose;
  };
  s.Run();
  EXPECT_TRUE(s.locks.empty());
  EXPECT_EQ(s.TraceLines().back(), "6600 end");
  EXPECT_EQ(pumpsAfterClose, 0);
  EXPECT_EQ(s.m().pieceX, 3);
}

TEST(Close, InsideRemovalPauseEndsAtOnce) {
  // The pair's 2 lands on two 2s: a run whose removal pauses; the close comes in that pause.
  Session s(Script().Draws(kCycle).Click(0).Close(5800).Until(20000));
  s.onStarted = [](Session& session) {
    session.m().board[3][11] = 2;
    session.m().board[3][12] = 2;
  };
  s.Run();
  const std::vector<std::string> lines = s.TraceLines();
  ASSERT_GE(lines.size(), 2U);
  EXPECT_EQ(lines[lines.size() - 2], "5750 lock 3 10 2 3");
  EXPECT_EQ(lines.back(), "5800 end");
  EXPECT_FALSE(s.m().form1.nextBlockTimer.running);
}

}  // namespace
