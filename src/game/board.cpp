#include "game/board.h"

#include <algorithm>
#include <string>

namespace game {

void ShowCell(Module1& m, int column, int row, int kind, int visible) {
  if (column < 1 || row < 1) return;
  // No caller passes these; refusing them keeps a stray call from landing on another cell.
  if (column > kFieldColumns || row > kFieldRows) return;
  ui::Image& cell = m.form1.imgBlock[(row - 1) * kFieldColumns + (column - 1)];
  cell.SetPicture(m.form1.imgBlockType[kind].picture());
  cell.SetVisible(visible == kSet);
}

namespace {

// Appends the cells of one diagonal from (x, y), stepping dx per row upwards, while the column
// stays in [minX, maxX] and the row at 2 or below.
void AppendDiagonal(ScanTable& table, int& index, int x, int y, int dx, int minX, int maxX) {
  for (; x >= minX && x <= maxX && y >= 2; x += dx, --y) {
    table.x[index] = x;
    table.y[index] = y;
    ++index;
  }
}

}  // namespace

void InitScanTables(Module1& m) {
  m.upRight = {};
  m.upLeft = {};
  int index = 0;
  for (int firstColumn = 4; firstColumn >= 1; --firstColumn) {
    AppendDiagonal(m.upRight, index, firstColumn, kFieldRows, 1, 1, 4);
  }
  for (int firstRow = 11; firstRow >= 2; --firstRow) {
    AppendDiagonal(m.upRight, index, 1, firstRow, 1, 1, 4);
  }
  index = 0;
  for (int firstColumn = 3; firstColumn <= 6; ++firstColumn) {
    AppendDiagonal(m.upLeft, index, firstColumn, kFieldRows, -1, 3, 6);
  }
  for (int firstRow = 11; firstRow >= 2; --firstRow) {
    AppendDiagonal(m.upLeft, index, 6, firstRow, -1, 3, 6);
  }
}

void ResetBoard(Module1& m) {
  for (int x = 1; x <= kFieldColumns; ++x) {
    for (int y = 0; y <= kFieldRows; ++y) m.board[x][y] = kEmpty;
  }
  for (int y = 0; y <= kFloorRow; ++y) {
    m.board[0][y] = kWall;
    m.board[kFieldColumns + 1][y] = kWall;
  }
  for (int x = 0; x <= kFieldColumns + 1; ++x) m.board[x][kFloorRow] = kWall;
}

void AddScore(Module1& m, int points) {
  m.score = std::min(kMaxScore, m.score + points);
}

void ShowScore(Module1& m) {
  m.form1.labelScore.SetCaption(std::to_string(m.score));
}

int RandomKind(Module1& m) {
  return static_cast<int>(m.platform.Rnd() * 6) + kSeed;
}

}  // namespace game
