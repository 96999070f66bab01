#include "flow/drop_tick.h"

#include <cmath>

#include "flow/game_life.h"
#include "game/board.h"
#include "game/group.h"
#include "game/pauses.h"

namespace flow {

using game::kClear;
using game::kEmpty;
using game::kSet;
using game::Module1;

namespace {

// The pause in which the player may still slide a landed pair; false when it slid over a gap,
// even if it was slid back before the pause ended.
bool LandingPauseEndsLanded(Module1& m) {
  bool landed = true;
  game::TimedPause(m, m.form1.waitTImer, m.waitPending, LandingPauseMillis(m), [&m, &landed] {
    if (m.board[m.pieceX][m.pieceY + 1] == kEmpty) landed = false;
  });
  return landed;
}

}  // namespace

int LandingPauseMillis(const Module1& m) {
  return static_cast<int>(std::nearbyint(m.dropInterval[m.speedLevel] / 2.0));
}

int SpeedLevelFor(int score, int current) {
  if (score <= 50) return 0;
  if (score <= 100) return 1;
  if (score <= 200) return 2;
  if (score <= 300) return 3;
  return current;
}

void nextBlockTimer_Timer(Module1& m) {
  m.tickRunning = kSet;
  if (m.board[m.pieceX][m.pieceY + 1] == kEmpty) {
    ++m.pieceY;
    DrawPiece(m);
    return;
  }
  if (!LandingPauseEndsLanded(m)) return;
  LockPair(m);
}

void waitTimer_Timer(Module1& m) {
  m.waitPending = kClear;
}

LockOutcome LockPair(Module1& m) {
  LockOutcome outcome;
  m.tickRunning = kClear;
  m.board[m.pieceX][m.pieceY] = m.pieceLower;
  if (m.pieceY > 0) m.board[m.pieceX][m.pieceY - 1] = m.pieceUpper;
  m.events->PairLocked(m.pieceX, m.pieceY, m.pieceLower, m.pieceUpper);
  if (m.pieceLower == game::kSpecial) outcome.groupCells = game::ClearGroup(m, m.pieceX, m.pieceY);
  outcome.chains = game::ResolveChainsCounted(m);
  m.speedLevel = SpeedLevelFor(m.score, m.speedLevel);
  if (m.pieceX == game::kEntryColumn && m.pieceY == 0 && outcome.groupCells == 0 &&
      outcome.chains.total == 0) {
    outcome.gameOver = true;
    EndGame(m);
    return outcome;
  }
  m.form1.nextBlockTimer.SetInterval(m.dropInterval[m.speedLevel]);  // a fast drop ends here
  BringInNextPair(m);
  return outcome;
}

void DrawPiece(Module1& m) {
  if (m.pieceY > 1) game::ShowCell(m, m.pieceX, m.pieceY - 1, m.pieceLower, kClear);
  if (m.pieceY - 1 > 1) game::ShowCell(m, m.pieceX, m.pieceY - 2, m.pieceUpper, kClear);
  game::ShowCell(m, m.pieceX, m.pieceY, m.pieceLower, kSet);
  if (m.pieceY > 1) game::ShowCell(m, m.pieceX, m.pieceY - 1, m.pieceUpper, kSet);
}

}  // namespace flow
