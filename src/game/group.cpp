#include "game/group.h"

#include "game/board.h"
#include "game/pauses.h"
#include "game/settling.h"

namespace game {
namespace {

constexpr double kStepSeconds = 0.5;

struct Offset {
  int dx, dy;
};
// Below, right, left, above: the order decides the order in which the cells turn.
constexpr Offset kNeighbours[] = {{0, 1}, {1, 0}, {-1, 0}, {0, -1}};

}  // namespace

void CollectGroup(Module1& m, int column, int row) {
  for (const Offset& o : kNeighbours) {
    const int nx = column + o.dx, ny = row + o.dy;
    if (ny <= 0 || nx <= 0) continue;  // never the entry row or the left wall
    if (m.board[nx][ny] != kLastStage) continue;
    m.group.push_back({nx, ny});
    m.board[nx][ny] = kSpecial;
    ++m.groupCount;
    CollectGroup(m, nx, ny);
  }
}

int ClearGroup(Module1& m, int column, int row) {
  m.group.clear();
  m.groupCount = 0;
  CollectGroup(m, column, row);
  if (m.groupCount > 0) {
    for (int i = 0; i < m.groupCount; ++i) {
      const GroupEntry cell = m.group[i];
      m.board[cell.x][cell.y] = kEmpty;
      ShowCell(m, cell.x, cell.y, kSpecial, kSet);
      AddScore(m, i + 1);
      ShowScore(m);
      WaitSeconds(m, kStepSeconds);
    }
    WaitSeconds(m, kStepSeconds);
    for (const GroupEntry& cell : m.group) ShowCell(m, cell.x, cell.y, kEmpty, kClear);
  }
  ShowCell(m, column, row, kEmpty, kClear);
  m.board[column][row] = kEmpty;
  DropCells(m);
  WaitSeconds(m, kStepSeconds);
  return m.groupCount;
}

}  // namespace game
