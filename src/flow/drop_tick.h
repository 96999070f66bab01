// The drop tick: the falling pair moves down, lands with a grace pause, locks; the lock is
// resolved, the speed follows the score, and the next pair enters or the game ends.
#pragma once

#include "game/chains.h"
#include "game/module1.h"

namespace flow {

void nextBlockTimer_Timer(game::Module1& m);
void DrawPiece(game::Module1& m);
// Ends the landing pause.
void waitTimer_Timer(game::Module1& m);

struct LockOutcome {
  int groupCells = 0;  // removed by the special cell; 0 when it was not the special pair
  game::ChainResult chains;
  bool gameOver = false;
};

// Everything from the moment a landed pair locks: it is written into the board, group clearing
// and chain resolution run, and then the next pair enters or the game ends.
LockOutcome LockPair(game::Module1& m);

// The speed level for the score after a lock; above 300 it stays as it was.
int SpeedLevelFor(int score, int current);

// Half the drop interval of the level, halves to even.
int LandingPauseMillis(const game::Module1& m);

}  // namespace flow
