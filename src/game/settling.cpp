#include "game/settling.h"

#include <array>

#include "game/board.h"

namespace game {
namespace {

// Moves the column's cells from its top down to its lowest gap one row down, if it has a gap.
void SettleColumnOneStep(Module1& m, int x, int& columnTop) {
  for (int y = kFloorRow; y >= columnTop; --y) {
    if (m.board[x][y] != kEmpty) continue;
    for (int r = y; r >= columnTop; --r) {
      if (r >= 1) m.board[x][r] = m.board[x][r - 1];
    }
    m.board[x][0] = kEmpty;
    ++columnTop;
    return;
  }
}

bool ColumnSettled(const Module1& m, int x, int columnTop) {
  for (int y = kFieldRows; y >= columnTop; --y) {
    if (m.board[x][y] == kEmpty) return false;
  }
  return true;
}

}  // namespace

void DropCells(Module1& m) {
  std::array<int, kFieldColumns + 1> columnTop{};
  for (int x = 1; x <= kFieldColumns; ++x) {
    int y = 0;
    while (m.board[x][y] == kEmpty) ++y;
    columnTop[x] = y;
  }
  bool settled = false;
  while (!settled) {
    m.platform.DoEvents();
    settled = true;
    for (int x = 1; x <= kFieldColumns; ++x) {
      SettleColumnOneStep(m, x, columnTop[x]);
      settled = settled && ColumnSettled(m, x, columnTop[x]);
    }
    RedrawBoard(m);
  }
}

void RedrawBoard(Module1& m) {
  for (int x = 1; x <= kFieldColumns; ++x) {
    for (int y = 1; y <= kFieldRows; ++y) {
      const int code = m.board[x][y];
      ShowCell(m, x, y, code, code == kEmpty ? kClear : kSet);
    }
  }
}

}  // namespace game
