#include <gtest/gtest.h>

#include "game/chains.h"
#include "game/matching.h"
#include "support/session.h"

namespace {

using testing_support::FieldRows;
using testing_support::GameHost;

struct Resolved {
  game::ChainResult chains;
  int score = 0;
  long long elapsed = 0;
  std::vector<std::string> rows;
};

Resolved Resolve(const std::vector<std::string>& rows) {
  GameHost host;
  host.Place(rows);
  const auto start = host.NowMs();
  Resolved r;
  r.chains = game::ResolveChainsCounted(host.game());
  r.score = host.game().score;
  r.elapsed = host.NowMs() - start;
  r.rows = FieldRows(host.game());
  return r;
}

std::string Bottom(const Resolved& r, int fromBottom = 0) {
  return r.rows[12 - fromBottom];
}

TEST(Chains, ThreeInARowGrowTheMiddle) {
  const Resolved r = Resolve({"222..."});
  EXPECT_EQ(Bottom(r), ".3....");
  EXPECT_EQ(r.chains.total, 3);
  EXPECT_EQ(r.score, 3);
  EXPECT_EQ(r.elapsed, 600);
}

TEST(Chains, TheMiddleOfAnEvenRunIsNearerItsStart) {
  EXPECT_EQ(Bottom(Resolve({".3333."})), "..4...");
  EXPECT_EQ(Bottom(Resolve({"555555"})), "..6...");
  // Columns scan upwards from row 12: the second from the bottom.
  const Resolved column = Resolve({".....2", ".....2", ".....2", ".....2"});
  EXPECT_EQ(Bottom(column), ".....3");
  EXPECT_EQ(Bottom(column, 1), "......");
}

TEST(Chains, LastStageCellsNeverMatchAndARunOfSixLeavesOne) {
  const Resolved sevens = Resolve({"777..."});
  EXPECT_EQ(sevens.chains.total, 0);
  EXPECT_EQ(sevens.score, 0);
  EXPECT_EQ(sevens.elapsed, 0);
  EXPECT_EQ(Bottom(Resolve({"666..."})), ".7....");
}

TEST(Chains, PlusSignListsItsCentreOnce) {
  const Resolved r = Resolve({".4....", "444...", ".4...."});
  EXPECT_EQ(r.chains.total, 5);
  EXPECT_EQ(r.score, 5);
  EXPECT_EQ(Bottom(r), ".5....");
  EXPECT_EQ(Bottom(r, 1), "......");
}

TEST(Chains, LShapeListsTheCornerTwice) {
  const Resolved r = Resolve({"4.....", "4.....", "444..."});
  EXPECT_EQ(r.chains.total, 6);
  EXPECT_EQ(r.score, 6);
  EXPECT_EQ(Bottom(r), "55....");
  EXPECT_EQ(Bottom(r, 1), "......");
}

TEST(Chains, TwoStepChainScoresDouble) {
  const Resolved r = Resolve({"2.....", "2.....", "233..."});
  EXPECT_EQ(r.chains.total, 6);
  EXPECT_EQ(r.chains.passes, 2);
  EXPECT_EQ(r.score, 9);
  EXPECT_EQ(Bottom(r), ".4....");
  EXPECT_EQ(r.elapsed, 600 + 500 + 600);
}

TEST(Chains, DiagonalsInBothDirections) {
  const Resolved upRight = Resolve({"..6...", ".62...", "632..."});
  EXPECT_EQ(upRight.chains.total, 3);
  EXPECT_EQ(Bottom(upRight, 1), ".72...");
  EXPECT_EQ(Bottom(upRight), ".32...");
  const Resolved upLeft = Resolve({"...2..", "...42.", "...352"});
  EXPECT_EQ(upLeft.chains.total, 3);
  EXPECT_EQ(Bottom(upLeft, 1), "...43.");
  EXPECT_EQ(Bottom(upLeft), "...35.");
}

// After a run of four from index 38, the up-right scan resumes at index 42 and never tries
// (1,3); the kind-3 run it steps into is still listed.
TEST(Chains, DiagonalResumeStepsOverTheNextGroupsFirstStart) {
  GameHost host;
  game::Module1& m = host.game();
  for (auto [x, y] : {std::pair(1, 4), {2, 3}, {3, 2}, {4, 1}, {5, 0}}) m.board[x][y] = 2;
  for (auto [x, y] : {std::pair(1, 3), {2, 2}, {3, 1}, {4, 0}}) m.board[x][y] = 3;
  m.matches.clear();
  m.matchCount = 0;
  EXPECT_EQ(game::ScanDiagonalsUpRight(m), 5 + 3);
  ASSERT_EQ(m.matches.size(), 8U);
  EXPECT_EQ(std::pair(m.matches[5].x, m.matches[5].y), std::pair(2, 2));
  EXPECT_EQ(std::pair(m.matches[6].x, m.matches[6].y), std::pair(3, 1));
  EXPECT_EQ(m.matches[6].mark, 4);
  EXPECT_EQ(m.matches[2].mark, 3);  // (3,2), the middle of the run of five
}

TEST(Chains, RunsInTheEntryRowChangeTheBoardUnseen) {
  GameHost host;
  game::Module1& m = host.game();
  for (int x = 1; x <= 6; ++x) {
    for (int y = 1; y <= 12; ++y) m.board[x][y] = game::kLastStage;  // never a run
  }
  for (int x = 1; x <= 3; ++x) m.board[x][0] = 2;
  EXPECT_EQ(game::ResolveChains(m), 3);
  EXPECT_EQ(m.board[2][0], 3);
  EXPECT_EQ(m.board[1][0], game::kEmpty);
  EXPECT_EQ(m.board[3][0], game::kEmpty);
}

// A dense board lists far more than the 72 entries a fixed list would hold; nothing is dropped.
TEST(Chains, APassListsAnyNumberOfEntries) {
  GameHost host;
  game::Module1& m = host.game();
  for (int x = 1; x <= 6; ++x) {
    for (int y = 0; y <= 12; ++y) m.board[x][y] = 3;
  }
  int listed = game::ScanRows(m);
  listed += game::ScanColumns(m);
  listed += game::ScanDiagonalsUpRight(m);
  listed += game::ScanDiagonalsUpLeft(m);
  EXPECT_EQ(listed, static_cast<int>(m.matches.size()));
  EXPECT_GT(m.matches.size(), 72U);
  const Resolved r = Resolve(std::vector<std::string>(13, "333333"));
  EXPECT_GT(r.chains.total, 72);
  for (const std::string& row : r.rows) EXPECT_EQ(row.find('3'), std::string::npos) << row;
}

TEST(Chains, ScoreSaturatesInsteadOfWrapping) {
  GameHost host;
  game::Module1& m = host.game();
  m.score = 32765;
  host.Place({"222..."});
  game::ResolveChains(m);
  EXPECT_EQ(m.score, game::kMaxScore);
  EXPECT_EQ(m.form1.labelScore.caption(), "32767");
}

// Samples two cells at every pause: the blink shows the outcome, the old look, the outcome,
// the old look, then the committed board.
class SamplingHost : public GameHost {
 public:
  void WaitEvents() override {
    const auto& grid = game().form1.imgBlock;
    samples.push_back({grid[66].visible(), grid[67].visible() ? Code(grid[67]) : 0});
    GameHost::WaitEvents();
  }
  int Code(const ui::Image& image) const { return CodeOfPicture(image.picture()); }
  std::vector<std::pair<bool, int>> samples;  // (1,12) shown; (2,12) shown kind
};

TEST(Removal, BlinksTwiceThenCommitsAndSettles) {
  SamplingHost host;
  game::Module1& m = host.game();
  host.Place({"222..."});
  m.matches.clear();
  m.matchCount = 0;
  game::ScanRows(m);
  const int pumpsBefore = host.singlePumps;
  game::RemoveMatches(m);
  const std::vector<std::pair<bool, int>> expected = {
      {false, 3}, {true, 2}, {false, 3}, {true, 2}, {false, 3}};
  EXPECT_EQ(host.samples, expected);
  EXPECT_EQ(host.singlePumps - pumpsBefore, 1);  // one settling step: nothing to move
  EXPECT_EQ(host.NowMs(), 600);
}

}  // namespace
