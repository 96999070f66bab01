// Properties over thousands of seeded random fields, checked against simple oracles.
#include <gtest/gtest.h>

#include <random>

#include "game/chains.h"
#include "game/group.h"
#include "support/harness.h"

namespace {

// Settled random stacks; sevens are common so that groups and dead cells appear.
void FillRandom(game::Module1& m, std::mt19937& rng, int sevenPercent) {
  std::uniform_int_distribution<int> height(0, 13), kind(2, 6), percent(0, 99);
  for (int x = 1; x <= 6; ++x) {
    for (int y = 12, h = height(rng); y > 12 - h; --y) {
      m.board[x][y] = percent(rng) < sevenPercent ? 7 : kind(rng);
    }
  }
}

// Codes 1 to 7 only, nothing over a gap and, with runs, no run of three left.
bool Sound(const game::Module1& m, bool runs) {
  for (int x = 1; x <= 6; ++x) {
    for (int y = 0; y <= 12; ++y) {
      const int code = m.board[x][y];
      if (code < 1 || code > 7 || (code != 1 && m.board[x][y + 1] == 1)) return false;
      for (auto [dx, dy] : {std::pair(1, 0), {0, -1}, {1, -1}, {-1, -1}}) {
        const int x2 = x + 2 * dx, y2 = y + 2 * dy;
        if (!runs || code < 2 || code > 6 || x2 < 1 || x2 > 6 || y2 < 0) continue;
        if (m.board[x + dx][y + dy] == code && m.board[x2][y2] == code) return false;
      }
    }
  }
  return true;
}

TEST(ChainProperties, NoRunNoGapAndEachPassScoresItsEntriesTimesItsNumber) {
  std::mt19937 rng(20261206);
  int chained = 0, saturated = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    qmtest::Session s;
    game::Module1& m = s.Playing().m();
    FillRandom(m, rng, 10);
    m.score = trial % 10 == 0 ? 32740 : 0;  // some near the top, to meet the limit
    int expected = m.score, passes = 0, total = 0;
    s.onChange = [&](qmtest::Session&, const ui::Control& control, ui::Change) {
      if (&control != &m.form1.labelScore) return;  // a pass ends, its list still there
      const int entries = static_cast<int>(m.matches.size());
      total += entries;
      expected = std::min(game::kMaxScore, expected + entries * ++passes);
      EXPECT_EQ(m.form1.labelScore.caption(), std::to_string(expected));
    };
    const game::ChainResult r = game::ResolveChainsCounted(m);
    ASSERT_TRUE(Sound(m, true)) << trial;
    ASSERT_EQ(std::tuple(r.passes, r.total, m.score), std::tuple(passes, total, expected)) << trial;
    ASSERT_EQ(s.NowMs(), passes == 0 ? 0 : 600 * passes + 500 * (passes - 1)) << trial;
    chained += passes >= 2;
    saturated += m.score == game::kMaxScore;
  }
  EXPECT_GT(chained, 300);  // the fields must really exercise chains and the limit
  EXPECT_GT(saturated, 10);
}

// Side-joined sevens from (x, y), outside the entry row: the oracle for the fill.
int JoinedSevens(game::Board board, int x, int y) {
  std::vector<std::pair<int, int>> todo{{x, y}};
  int count = 0;
  while (!todo.empty()) {
    const auto [cx, cy] = todo.back();
    todo.pop_back();
    for (auto [nx, ny] : {std::pair(cx, cy + 1), {cx + 1, cy}, {cx - 1, cy}, {cx, cy - 1}}) {
      if (nx < 1 || ny < 1 || board[nx][ny] != 7) continue;
      board[nx][ny] = 0, ++count;
      todo.emplace_back(nx, ny);
    }
  }
  return count;
}

TEST(GroupProperties, ClearingRemovesExactlyTheJoinedSevensAndScoresOneTwoThree) {
  std::mt19937 rng(7);
  int groups = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    qmtest::Session s;
    game::Module1& m = s.Playing().m();
    FillRandom(m, rng, 60);
    const int x = 1 + static_cast<int>(rng() % 6);
    int y = 12;
    while (y > 0 && m.board[x][y] != game::kEmpty) --y;
    if (m.board[x][y] != game::kEmpty) continue;  // a full column has no landing place
    m.board[x][y] = game::kSpecial;
    const int joined = JoinedSevens(m.board, x, y);
    ASSERT_EQ(game::ClearGroup(m, x, y), joined) << trial;
    ASSERT_EQ(m.score, joined * (joined + 1) / 2) << trial;
    ASSERT_EQ(s.NowMs(), 500 * joined + (joined > 0 ? 500 : 0) + 500) << trial;
    ASSERT_TRUE(Sound(m, false)) << trial;  // no special cell left, nothing over a gap
    groups += joined >= 3;
  }
  EXPECT_GT(groups, 200);
}

}  // namespace
