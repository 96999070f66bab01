#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "game/board.h"
#include "support/session.h"

namespace {

using testing_support::GameHost;

TEST(ScanTables, HoldTheDiagonalStartCellsInGroupOrder) {
  GameHost host;
  const game::Module1& m = host.game();
  auto cell = [](const game::ScanTable& t, int j) { return std::pair(t.x[j], t.y[j]); };
  EXPECT_EQ(cell(m.upRight, 0), std::pair(4, 12));
  EXPECT_EQ(cell(m.upRight, 1), std::pair(3, 12));
  EXPECT_EQ(cell(m.upRight, 2), std::pair(4, 11));
  EXPECT_EQ(cell(m.upRight, 38), std::pair(1, 4));
  EXPECT_EQ(cell(m.upRight, 42), std::pair(2, 2));
  EXPECT_EQ(cell(m.upRight, 43), std::pair(1, 2));
  EXPECT_EQ(cell(m.upLeft, 0), std::pair(3, 12));
  EXPECT_EQ(cell(m.upLeft, 1), std::pair(4, 12));
  EXPECT_EQ(cell(m.upLeft, 2), std::pair(3, 11));
  EXPECT_EQ(cell(m.upLeft, 41), std::pair(6, 3));
  EXPECT_EQ(cell(m.upLeft, 43), std::pair(6, 2));
  EXPECT_EQ(cell(m.upRight, 44), std::pair(0, 0));
  EXPECT_EQ(cell(m.upLeft, 44), std::pair(0, 0));
  // Every start cell once: up-right covers columns 1-4, up-left 3-6, rows 2-12.
  for (const auto* table : {&m.upRight, &m.upLeft}) {
    std::set<std::pair<int, int>> seen;
    for (int j = 0; j < game::kScanStarts; ++j) seen.insert(cell(*table, j));
    EXPECT_EQ(seen.size(), 44U);
  }
}

TEST(ShowCell, MapsCellsToTheGridAndIgnoresTheEntryRow) {
  GameHost host;
  game::Module1& m = host.game();
  const auto& grid = m.form1.imgBlock;
  ASSERT_EQ(grid.size(), 72U);
  EXPECT_EQ(std::pair(grid[0].left(), grid[0].top()), std::pair(87, 44));
  EXPECT_EQ(std::pair(grid[5].left(), grid[5].top()), std::pair(207, 44));
  EXPECT_EQ(std::pair(grid[6].left(), grid[6].top()), std::pair(87, 68));
  EXPECT_EQ(std::pair(grid[71].left(), grid[71].top()), std::pair(207, 308));

  game::ShowCell(m, 6, 12, 5, game::kSet);
  EXPECT_TRUE(grid[71].visible());
  EXPECT_EQ(grid[71].picture(), m.pictures.cell[5]);

  // Hidden cells keep the picture they were given, so a later show never flashes an old one.
  game::ShowCell(m, 1, 1, 4, 0);
  EXPECT_FALSE(grid[0].visible());
  EXPECT_EQ(grid[0].picture(), m.pictures.cell[4]);
  game::ShowCell(m, 1, 1, 4, 1);  // only -1 shows
  EXPECT_FALSE(grid[0].visible());

  const auto before = grid;
  game::ShowCell(m, 3, 0, 6, game::kSet);
  game::ShowCell(m, 0, 5, 6, game::kSet);
  game::ShowCell(m, 7, 5, 6, game::kSet);   // no caller passes it; nothing wraps
  game::ShowCell(m, 1, 13, 6, game::kSet);  // nor this one
  for (std::size_t i = 0; i < grid.size(); ++i) {
    EXPECT_EQ(grid[i].visible(), before[i].visible()) << i;
    EXPECT_EQ(grid[i].picture(), before[i].picture()) << i;
  }
}

TEST(NewBoard, WallsAndFloorAroundAnEmptyFieldAndTheOutsideUntouched) {
  GameHost host;
  const game::Board& b = host.game().board;
  for (int y = 0; y <= 13; ++y) {
    EXPECT_EQ(b[0][y], game::kWall);
    EXPECT_EQ(b[7][y], game::kWall);
  }
  for (int x = 0; x <= 7; ++x) EXPECT_EQ(b[x][13], game::kWall);
  for (int x = 1; x <= 6; ++x) {
    for (int y = 0; y <= 12; ++y) EXPECT_EQ(b[x][y], game::kEmpty);
  }
  for (int y = 0; y <= 14; ++y) EXPECT_EQ(b[8][y], game::kOutside);
  for (int x = 0; x <= 8; ++x) EXPECT_EQ(b[x][14], game::kOutside);
}

TEST(Score, StopsAtItsLargestValue) {
  GameHost host;
  game::Module1& m = host.game();
  m.score = 32760;
  game::AddScore(m, 100);
  EXPECT_EQ(m.score, game::kMaxScore);
  game::AddScore(m, 1);
  EXPECT_EQ(m.score, game::kMaxScore);
}

}  // namespace
