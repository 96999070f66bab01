#include "flow/drop_tick.h"

#include <cmath>

#include "flow/promo.h"
#include "game/board.h"
#include "game/group.h"

namespace flow {

using game::kClear;
using game::kEmpty;
using game::kSet;
using game::Module1;

namespace {

void DrawNextPair(Module1& m) {
  m.form1.imgNextBlock[0].SetPicture(m.form1.imgBlockType[m.nextLower].picture());
  m.form1.imgNextBlock[1].SetPicture(m.form1.imgBlockType[m.nextUpper].picture());
}

// The special pair comes with spring, once per change of season.
void ChooseNextPair(Module1& m) {
  if (m.season == 0 && m.seasonChanged == kSet) {
    m.nextLower = game::kSpecial;
    m.nextUpper = kEmpty;
    m.seasonChanged = kClear;
    return;
  }
  m.nextLower = game::RandomKind(m);
  m.nextUpper = game::RandomKind(m);
}

// The pause in which the player may still slide a landed pair; false when it slid over a gap.
bool LandingPauseEndsLanded(Module1& m) {
  ui::Timer& timer = m.form1.waitTImer;
  bool landed = true;
  timer.SetEnabled(true);
  m.waitPending = kSet;
  timer.SetInterval(LandingPauseMillis(m));
  while (m.waitPending == kSet) {
    m.platform.WaitEvents();
    if (m.board[m.pieceX][m.pieceY + 1] == kEmpty) landed = false;
  }
  timer.SetInterval(0);
  timer.SetEnabled(false);
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

LockOutcome LockPair(Module1& m) {
  LockOutcome outcome;
  m.tickRunning = kClear;
  m.board[m.pieceX][m.pieceY] = m.pieceLower;
  if (m.pieceY > 0) m.board[m.pieceX][m.pieceY - 1] = m.pieceUpper;
  m.events->PairLocked(m.pieceX, m.pieceY, m.pieceLower, m.pieceUpper);
  if (m.pieceLower == game::kSpecial) outcome.group = game::ClearGroup(m, m.pieceX, m.pieceY);
  outcome.chains = game::ResolveChainsCounted(m);
  m.speedLevel = SpeedLevelFor(m.score, m.speedLevel);
  if (m.pieceX == game::kEntryColumn && m.pieceY == 0 && outcome.group == 0 &&
      outcome.chains.total == 0) {
    outcome.gameOver = true;
    EndGame(m);
    return outcome;
  }
  m.form1.nextBlockTimer.SetInterval(m.dropInterval[m.speedLevel]);
  m.pieceX = game::kEntryColumn;
  m.pieceY = 0;
  m.pieceLower = m.nextLower;
  m.pieceUpper = m.nextUpper;
  ChooseNextPair(m);
  DrawNextPair(m);
  return outcome;
}

void DrawPiece(Module1& m) {
  if (m.pieceY > 1) game::ShowCell(m, m.pieceX, m.pieceY - 1, m.pieceLower, kClear);
  if (m.pieceY - 1 > 1) game::ShowCell(m, m.pieceX, m.pieceY - 2, m.pieceUpper, kClear);
  game::ShowCell(m, m.pieceX, m.pieceY, m.pieceLower, kSet);
  if (m.pieceY > 1) game::ShowCell(m, m.pieceX, m.pieceY - 1, m.pieceUpper, kSet);
}

void EndGame(Module1& m) {
  m.events->GameOver();
  ui::Form1& f = m.form1;
  f.nextBlockTimer.SetInterval(0);
  f.nextBlockTimer.SetEnabled(false);
  f.seasonTimer.SetEnabled(false);
  f.waitTImer.SetEnabled(false);
  f.waitActionTimer.SetEnabled(false);
  f.imgSeason.SetVisible(false);
  f.imgNextBlock[0].SetVisible(false);
  f.imgNextBlock[1].SetVisible(false);
  m.gameActive = 0;
  for (int x = 1; x <= game::kFieldColumns; ++x) {
    for (int y = 1; y <= game::kFieldRows; ++y) game::ShowCell(m, x, y, kEmpty, kClear);
  }
  ShowPromoOnce(m);
}

}  // namespace flow
