// The board, its scan tables and the one way a field cell reaches the screen.
#pragma once

#include "game/module1.h"

namespace game {

// Shows (visible -1) or hides (any other value) the cell with the picture of kind; cells in the
// entry row or left of the field are never on screen, so callers may pass them freely.
void ShowCell(Module1& m, int column, int row, int kind, int visible);

// Fills the start cells of the two diagonal scans; pure board geometry.
void InitScanTables(Module1& m);

// Empties the field and the entry row and builds walls and floor, as a new game needs.
void ResetBoard(Module1& m);

// Adds to the score without passing the largest value the label is made for.
void AddScore(Module1& m, int points);

void ShowScore(Module1& m);

// A kind from 2 to 7, each equally likely: the integer part of a draw times 6, plus 2.
int RandomKind(Module1& m);

}  // namespace game
