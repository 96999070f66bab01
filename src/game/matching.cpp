#include "game/matching.h"

#include <algorithm>

namespace game {
namespace {

struct Step {
  int dx, dy;
};

constexpr Step StepOf(int direction) {
  switch (direction) {
    case kRight:
      return {1, 0};
    case kUp:
      return {0, -1};
    case kUpRight:
      return {1, -1};
    default:
      return {-1, -1};
  }
}

// Column 0 is inside: the up-left scan's last step compares against the wall, which never matches.
bool InBounds(int x, int y) {
  return x >= 0 && x <= kFieldColumns && y >= 0;
}

bool ListedAsMiddle(const Module1& m, int x, int y) {
  for (const MatchEntry& e : m.matches) {
    if (e.x == x && e.y == y && e.mark != kEmpty) return true;
  }
  return false;
}

// Lists the run of n steps from (x, y); returns the entries it appended.
int ListRun(Module1& m, int x, int y, int direction, int n) {
  const Step step = StepOf(direction);
  const int code = m.board[x][y];
  int appended = 0;
  for (int i = 0; i <= n; ++i) {
    const int cx = x + i * step.dx, cy = y + i * step.dy;
    if (ListedAsMiddle(m, cx, cy)) continue;
    m.matches.push_back({cx, cy, kEmpty});
    ++m.matchCount;
    ++appended;
  }
  // The middle is looked for among the last n + 1 slots, the first free one included; where
  // cells were skipped above, that window reaches into earlier runs, as it always has.
  const int middle = n / 2;
  const int mx = x + middle * step.dx, my = y + middle * step.dy;
  for (int k = std::max(0, m.matchCount - n); k < m.matchCount; ++k) {
    MatchEntry& e = m.matches[k];
    if (e.x == mx && e.y == my) e.mark = code + 1;
  }
  return appended;
}

// Tries one start cell; returns the run's steps (0 or 1 when there is no run).
int TryStart(Module1& m, int x, int y, int direction, int& found) {
  m.runSteps = 0;
  const int n = FollowRun(m, x, y, direction);
  if (n >= 2) found += ListRun(m, x, y, direction, n);
  return n;
}

}  // namespace

int FollowRun(Module1& m, int x, int y, int direction) {
  const Step step = StepOf(direction);
  const int nx = x + step.dx, ny = y + step.dy;
  if (!InBounds(nx, ny)) return m.runSteps;
  const int code = m.board[x][y];
  if (code != m.board[nx][ny] || code == kEmpty || code == kLastStage) return m.runSteps;
  ++m.runSteps;
  FollowRun(m, nx, ny, direction);
  return m.runSteps;
}

int ScanRows(Module1& m) {
  int found = 0;
  for (int y = 0; y <= kFieldRows; ++y) {
    int x = 1;
    while (x <= 4) {
      const int n = TryStart(m, x, y, kRight, found);
      x += n >= 2 ? n + 1 : 1;
    }
  }
  return found;
}

int ScanColumns(Module1& m) {
  int found = 0;
  for (int x = 1; x <= kFieldColumns; ++x) {
    int y = kFieldRows;
    while (y >= 1) {
      const int n = TryStart(m, x, y, kUp, found);
      y -= n >= 2 ? n + 1 : 1;
    }
  }
  return found;
}

namespace {

// Walks a start table; after a run, resume(j, x, n) gives the next index. That arithmetic does
// not look at the group's length: in the short last groups it can step over the first start
// cells of the next group. A run there is found by the next pass of the same resolution, so
// nothing is lost.
int ScanDiagonals(Module1& m, const ScanTable& table, int direction, int (*resume)(int, int, int)) {
  int found = 0;
  int j = 0;
  while (j < kScanStarts) {
    const int x = table.x[j];
    const int n = TryStart(m, x, table.y[j], direction, found);
    j = n < 2 ? j + 1 : resume(j, x, n);
  }
  return found;
}

}  // namespace

int ScanDiagonalsUpRight(Module1& m) {
  return ScanDiagonals(m, m.upRight, kUpRight,
                       [](int j, int x, int n) { return x + n > 4 ? j + 4 - x + 1 : j + n + 1; });
}

int ScanDiagonalsUpLeft(Module1& m) {
  return ScanDiagonals(m, m.upLeft, kUpLeft,
                       [](int j, int x, int n) { return x - n < 3 ? j + x - 3 + 1 : j + n + 1; });
}

}  // namespace game
