// Properties over thousands of seeded random fields, checked against simple oracles.
#include <gtest/gtest.h>

#include <random>

#include "game/chains.h"
#include "game/group.h"
#include "support/session.h"

namespace {

using testing_support::GameHost;

// Settled random stacks; sevens are common so that groups and dead cells appear.
void FillRandom(game::Module1& m, std::mt19937& rng, int sevenPercent) {
  game::ResetBoard(m);
  std::uniform_int_distribution<int> height(0, 13), kind(2, 6), percent(0, 99);
  for (int x = 1; x <= 6; ++x) {
    const int h = height(rng);
    for (int y = 12; y > 12 - h; --y) m.board[x][y] = percent(rng) < sevenPercent ? 7 : kind(rng);
  }
}

bool HasRun(const game::Module1& m) {
  const int steps[4][2] = {{1, 0}, {0, -1}, {1, -1}, {-1, -1}};
  for (int x = 1; x <= 6; ++x) {
    for (int y = 0; y <= 12; ++y) {
      const int code = m.board[x][y];
      if (code < 2 || code > 6) continue;
      for (const auto& s : steps) {
        const int x2 = x + 2 * s[0], y2 = y + 2 * s[1];
        if (x2 < 1 || x2 > 6 || y2 < 0) continue;
        if (m.board[x + s[0]][y + s[1]] == code && m.board[x2][y2] == code) return true;
      }
    }
  }
  return false;
}

bool HangsOverAGap(const game::Module1& m) {
  for (int x = 1; x <= 6; ++x) {
    for (int y = 0; y < 12; ++y) {
      if (m.board[x][y] != game::kEmpty && m.board[x][y + 1] == game::kEmpty) return true;
    }
  }
  return false;
}

// Sees each pass end: the caption is set once per pass while the pass's list is still there.
class PassRecorder : public GameHost {
 protected:
  void ControlChanged(const ui::Control& control, ui::Change change) override {
    if (&control != &game().form1.labelScore || change != ui::Change::kCaption) return;
    entries.push_back(static_cast<int>(game().matches.size()));
    captions.push_back(std::stoi(game().form1.labelScore.caption()));
  }

 public:
  std::vector<int> entries, captions;
};

TEST(ChainProperties, ResolutionLeavesNoRunAndNoGapAndScoresEachPassByItsNumber) {
  std::mt19937 rng(20261206);
  int chained = 0, saturated = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    PassRecorder host;
    game::Module1& m = host.game();
    FillRandom(m, rng, 10);
    m.score = trial % 10 == 0 ? 32740 : 0;  // some near the top, to meet the saturation
    const int scoreBefore = m.score;
    const auto start = host.NowMs();
    const game::ChainResult r = game::ResolveChainsCounted(m);
    SCOPED_TRACE("trial " + std::to_string(trial));
    ASSERT_FALSE(HasRun(m));
    ASSERT_FALSE(HangsOverAGap(m));
    ASSERT_EQ(static_cast<int>(host.entries.size()), r.passes);
    int expected = scoreBefore, total = 0;
    for (int pass = 1; pass <= r.passes; ++pass) {
      const int n = host.entries[pass - 1];
      total += n;
      expected = std::min(game::kMaxScore, expected + n * pass);
      ASSERT_EQ(host.captions[pass - 1], expected);
    }
    ASSERT_EQ(total, r.total);
    ASSERT_EQ(m.score, expected);
    const long long elapsed = r.passes == 0 ? 0 : 600LL * r.passes + 500LL * (r.passes - 1);
    ASSERT_EQ(host.NowMs() - start, elapsed);
    chained += r.passes >= 2;
    saturated += m.score == game::kMaxScore;
  }
  EXPECT_GT(chained, 300);  // the fields must really exercise chains and the limit
  EXPECT_GT(saturated, 10);
}

// Side-connected sevens from (x, y), outside the entry row: the oracle for the fill.
int ConnectedSevens(game::Board board, int x, int y) {
  std::vector<std::pair<int, int>> todo{{x, y}};
  int count = 0;
  while (!todo.empty()) {
    const auto [cx, cy] = todo.back();
    todo.pop_back();
    for (auto [dx, dy] : {std::pair(0, 1), {1, 0}, {-1, 0}, {0, -1}}) {
      const int nx = cx + dx, ny = cy + dy;
      if (nx < 1 || ny < 1 || board[nx][ny] != 7) continue;
      board[nx][ny] = 0;
      ++count;
      todo.emplace_back(nx, ny);
    }
  }
  return count;
}

TEST(GroupProperties, ClearingRemovesExactlyTheJoinedSevensAndLeavesNoSpecialCell) {
  std::mt19937 rng(7);
  int groups = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    GameHost host;
    game::Module1& m = host.game();
    FillRandom(m, rng, 60);
    const int x = 1 + static_cast<int>(rng() % 6);
    int y = 12;
    while (y > 0 && m.board[x][y] != game::kEmpty) --y;
    if (m.board[x][y] != game::kEmpty) continue;  // a full column has no landing place
    m.board[x][y] = game::kSpecial;
    const int joined = ConnectedSevens(m.board, x, y);
    const auto start = host.NowMs();
    const int cleared = game::ClearGroup(m, x, y);
    SCOPED_TRACE("trial " + std::to_string(trial));
    ASSERT_EQ(cleared, joined);
    ASSERT_EQ(m.score, std::min(game::kMaxScore, joined * (joined + 1) / 2));
    ASSERT_EQ(host.NowMs() - start, 500LL * joined + (joined > 0 ? 500 : 0) + 500);
    ASSERT_FALSE(HangsOverAGap(m));
    for (int cx = 1; cx <= 6; ++cx) {
      for (int cy = 0; cy <= 12; ++cy) ASSERT_NE(m.board[cx][cy], game::kSpecial);
    }
    groups += joined >= 3;
  }
  EXPECT_GT(groups, 200);
}

}  // namespace
