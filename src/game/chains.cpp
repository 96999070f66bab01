#include "game/chains.h"

#include "game/board.h"
#include "game/matching.h"
#include "game/pauses.h"
#include "game/settling.h"

namespace game {
namespace {

constexpr double kBlinkSeconds = 0.1;
constexpr double kAfterCommitSeconds = 0.2;
constexpr double kChainStepSeconds = 0.5;

// The blink's two looks: the pass's outcome (grown cells grown, removed cells gone), or the
// board as it still is.
void ShowBlinkPhase(Module1& m, bool oldLook) {
  for (const MatchEntry& e : m.matches) {
    const int code = m.board[e.x][e.y];
    if (oldLook) {
      ShowCell(m, e.x, e.y, code, kSet);
    } else if (e.mark != kEmpty) {
      ShowCell(m, e.x, e.y, code + 1, kSet);
    } else {
      ShowCell(m, e.x, e.y, code, kClear);
    }
  }
}

// Later entries win; a grown entry is always the last one for its cell.
void CommitMatches(Module1& m) {
  for (const MatchEntry& e : m.matches) {
    m.board[e.x][e.y] = e.mark;
    if (e.mark == kEmpty) {
      ShowCell(m, e.x, e.y, kEmpty, kClear);
    } else {
      ShowCell(m, e.x, e.y, e.mark, kSet);
    }
  }
}

int ScanAll(Module1& m) {
  m.matches.clear();
  m.matchCount = 0;
  int n = ScanRows(m);
  n += ScanColumns(m);
  n += ScanDiagonalsUpRight(m);
  n += ScanDiagonalsUpLeft(m);
  return n;
}

}  // namespace

void RemoveMatches(Module1& m) {
  bool oldLook = false;
  for (int phase = 0; phase < 4; ++phase) {
    ShowBlinkPhase(m, oldLook);
    WaitSeconds(m, kBlinkSeconds);
    oldLook = !oldLook;
  }
  CommitMatches(m);
  WaitSeconds(m, kAfterCommitSeconds);
  DropCells(m);
}

ChainResult ResolveChainsCounted(Module1& m) {
  ChainResult result;
  for (int chainNumber = 1;; ++chainNumber) {
    m.platform.DoEvents();
    const int n = ScanAll(m);
    if (n == 0) return result;
    result.total += n;
    ++result.passes;
    AddScore(m, n * chainNumber);
    if (chainNumber > 1) WaitSeconds(m, kChainStepSeconds);
    RemoveMatches(m);
    ShowScore(m);
  }
}

int ResolveChains(Module1& m) {
  return ResolveChainsCounted(m).total;
}

}  // namespace game
