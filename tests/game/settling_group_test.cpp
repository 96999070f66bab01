#include <gtest/gtest.h>

#include "game/group.h"
#include "game/pauses.h"
#include "game/settling.h"
#include "support/session.h"

namespace {

using testing_support::FieldRows;
using testing_support::GameHost;

int SettlingSteps(GameHost& host) {
  const int before = host.singlePumps;
  game::DropCells(host.game());
  return host.singlePumps - before;
}

TEST(Settling, ColumnsFallOneRowPerStepAsBlocks) {
  GameHost host;
  game::Module1& m = host.game();
  m.board[1][5] = 2;
  m.board[1][7] = 3;
  m.board[1][10] = 4;
  m.board[1][11] = 5;
  m.board[1][12] = 6;
  EXPECT_EQ(SettlingSteps(host), 3);
  for (int y = 8; y <= 12; ++y) EXPECT_EQ(m.board[1][y], y - 6) << y;
  for (int y = 0; y <= 7; ++y) EXPECT_EQ(m.board[1][y], game::kEmpty) << y;
  EXPECT_EQ(host.NowMs(), 0);  // settling steps take no time of their own
}

TEST(Settling, AnEntryRowCellFallsTwelveRowsAndAppears) {
  GameHost host;
  game::Module1& m = host.game();
  m.board[4][0] = 5;
  EXPECT_EQ(SettlingSteps(host), 12);
  EXPECT_EQ(m.board[4][12], 5);
  EXPECT_TRUE(m.form1.imgBlock[(12 - 1) * 6 + 3].visible());
}

TEST(Settling, AFullColumnClosesItsOnlyGapInOneStepAndASettledBoardStillRepaints) {
  GameHost host;
  game::Module1& m = host.game();
  for (int y = 0; y <= 11; ++y) m.board[2][y] = 2 + y % 5;
  EXPECT_EQ(SettlingSteps(host), 1);
  EXPECT_EQ(m.board[2][0], game::kEmpty);
  EXPECT_EQ(m.board[2][12], 2 + 11 % 5);
  m.form1.imgBlock[0].SetVisible(true);  // a stale cell on screen
  EXPECT_EQ(SettlingSteps(host), 1);
  EXPECT_FALSE(m.form1.imgBlock[0].visible());
}

int GridIndex(int x, int y) {
  return (y - 1) * 6 + (x - 1);
}

// Records the score caption each time it is set and the cells that turn to the special picture.
class ClearingHost : public GameHost {
 protected:
  void ControlChanged(const ui::Control& control, ui::Change change) override {
    const game::Module1& m = game();
    if (&control == &m.form1.labelScore) captions.push_back(m.form1.labelScore.caption());
    if (change != ui::Change::kVisible && change != ui::Change::kPicture) return;
    for (int i = 0; i < 72; ++i) {
      const ui::Image& cell = m.form1.imgBlock[i];
      if (&control == &cell && cell.visible() && cell.picture() == m.pictures.cell[8]) {
        if (order.empty() || order.back() != i) order.push_back(i);
      }
    }
  }

 public:
  std::vector<std::string> captions;
  std::vector<int> order;  // grid indices in the order they turned
};

struct Cleared {
  int result = 0;
  long long elapsed = 0;
};

Cleared ClearAt(ClearingHost& host, int x, int y) {
  host.game().board[x][y] = game::kSpecial;
  const auto start = host.NowMs();
  const int result = game::ClearGroup(host.game(), x, y);
  return {result, host.NowMs() - start};
}

TEST(GroupClearing, AnLShapedGroupTurnsDepthFirstAndScoresOneTwoThreeFour) {
  ClearingHost host;
  host.Place({"......", ".7....", ".777..", ".2...."});
  const Cleared c = ClearAt(host, 2, 9);  // on top of the L's upright
  EXPECT_EQ(c.result, 4);
  EXPECT_EQ(host.game().score, 10);
  EXPECT_EQ(host.captions, (std::vector<std::string>{"1", "3", "6", "10"}));
  // Below first, then each branch to its end.
  EXPECT_EQ(host.order, (std::vector<int>{GridIndex(2, 10), GridIndex(2, 11), GridIndex(3, 11),
                                          GridIndex(4, 11)}));
  EXPECT_EQ(c.elapsed, 4 * 500 + 500 + 500);
  const auto rows = FieldRows(host.game());
  EXPECT_EQ(rows[12], ".2....");
  for (int y = 0; y < 12; ++y) EXPECT_EQ(rows[y], "......") << y;
}

TEST(GroupClearing, JoinsThroughSidesOfSevensOnlyAndNeverInTheEntryRow) {
  ClearingHost host;
  game::Module1& m = host.game();
  host.Place({"..7...", "7.....", ".727.."});
  const Cleared c = ClearAt(host, 2, 11);
  EXPECT_EQ(c.result, 2);        // (2,12) below and (1,11) left; not the corner (3,10)
  EXPECT_EQ(m.board[4][12], 7);  // beyond a cell of another kind
  EXPECT_EQ(m.board[3][11], 7);  // the corner seven, settled onto the 2

  ClearingHost entry;
  game::Module1& e = entry.game();
  e.board[3][0] = 7;
  e.board[4][1] = 7;
  const Cleared top = ClearAt(entry, 4, 0);  // only the cell below is looked at
  EXPECT_EQ(top.result, 1);
  EXPECT_EQ(e.board[3][12], 7);
  EXPECT_EQ(top.elapsed, 500 + 500 + 500);
}

TEST(GroupClearing, WithoutAGroupOnlyTheSpecialCellGoes) {
  ClearingHost host;
  host.Place({".7....", "86...."});
  const Cleared c = ClearAt(host, 1, 12);
  game::Module1& m = host.game();
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(m.score, 0);
  EXPECT_TRUE(host.captions.empty());
  EXPECT_EQ(c.elapsed, 500);
  EXPECT_EQ(m.board[1][12], game::kEmpty);
  EXPECT_EQ(m.board[2][11], 7);
  EXPECT_FALSE(m.form1.imgBlock[GridIndex(1, 12)].visible());
}

TEST(Pauses, LengthsRoundHalvesToEvenAndNeverToZero) {
  EXPECT_EQ(game::PauseMillis(0.5), 500);
  EXPECT_EQ(game::PauseMillis(0.1), 100);
  EXPECT_EQ(game::PauseMillis(0.2), 200);
  EXPECT_EQ(game::PauseMillis(0.0025), 2);  // 2.5 ms: to even
  EXPECT_EQ(game::PauseMillis(0.0035), 4);
  EXPECT_EQ(game::PauseMillis(0.0004), 1);  // would never end at 0 ms
  EXPECT_EQ(game::PauseMillis(0), 1);
}

TEST(Pauses, WaitSecondsRunsOtherHandlersAndLeavesItsTimerIdle) {
  GameHost host;
  game::Module1& m = host.game();
  m.form1.seasonTimer.SetInterval(300);
  m.form1.seasonTimer.SetEnabled(true);
  const int season = m.season;
  game::WaitSeconds(m, 0.5);
  EXPECT_EQ(host.NowMs(), 500);
  EXPECT_NE(m.season, season);  // the season timer fired inside the pause
  EXPECT_EQ(m.waitActionPending, game::kClear);
  EXPECT_FALSE(m.form1.waitActionTimer.enabled());
  EXPECT_EQ(m.form1.waitActionTimer.interval(), 0);
  EXPECT_FALSE(m.form1.waitActionTimer.armed());
}

}  // namespace
