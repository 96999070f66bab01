#include "input/keyboard.h"

#include <utility>

#include "game/board.h"
#include "input/start_button.h"

namespace input {

using game::kClear;
using game::kEmpty;
using game::kSet;
using game::Module1;

namespace {

// Moves the pair one column by dx when both cells it would cover are free; the special cell has
// no upper cell to test.
void MovePair(Module1& m, int dx) {
  const int to = m.pieceX + dx;
  if (m.board[to][m.pieceY] != kEmpty) return;
  if (dx < 0 ? m.pieceX <= 1 : m.pieceX >= game::kFieldColumns) return;
  if (m.pieceLower != game::kSpecial && m.board[to][m.pieceY - 1] != kEmpty) return;
  m.pieceX = to;
  const int from = to - dx;
  game::ShowCell(m, from, m.pieceY, m.pieceLower, kClear);
  if (m.pieceUpper != kEmpty) game::ShowCell(m, from, m.pieceY - 1, m.pieceUpper, kClear);
  game::ShowCell(m, to, m.pieceY, m.pieceLower, kSet);
  if (m.pieceUpper != kEmpty) game::ShowCell(m, to, m.pieceY - 1, m.pieceUpper, kSet);
}

void SwapPair(Module1& m) {
  if (m.pieceLower == game::kSpecial) return;
  std::swap(m.pieceLower, m.pieceUpper);
  game::ShowCell(m, m.pieceX, m.pieceY, m.pieceLower, kSet);
  game::ShowCell(m, m.pieceX, m.pieceY - 1, m.pieceUpper, kSet);
}

constexpr int kFastDropMillis = 10;

}  // namespace

void Form_KeyDown(Module1& m, int keyCode) {
  if (m.gameActive == 0) {
    if (keyCode == kEnterKey) {
      btStart_MouseDown(m);
      btStart_MouseUp(m);
    }
    return;
  }
  if (m.pieceY <= 0 || m.tickRunning != kSet) return;
  if (keyCode == m.keyBinding[0]) {
    MovePair(m, -1);
  } else if (keyCode == m.keyBinding[1]) {
    MovePair(m, +1);
  } else if (keyCode == m.keyBinding[3]) {
    SwapPair(m);
  } else if (keyCode == m.keyBinding[2]) {
    m.form1.nextBlockTimer.SetInterval(kFastDropMillis);
  }
}

// Restores the level's speed whether or not a game runs; the interval alone never starts the
// timer.
void Form_KeyUp(Module1& m, int keyCode) {
  if (keyCode == m.keyBinding[2]) {
    m.form1.nextBlockTimer.SetInterval(m.dropInterval[m.speedLevel]);
  }
}

}  // namespace input
