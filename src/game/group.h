// The special cell's work: every last-stage cell joined to it through sides is removed, one by one.
#pragma once

#include "game/module1.h"

namespace game {

// Depth-first fill from (column, row): lists joined kind-7 cells and marks them 8 on the board.
void CollectGroup(Module1& m, int column, int row);

// Removes the group around the special cell at (column, row) and the cell itself; returns the
// number of group cells removed.
int ClearGroup(Module1& m, int column, int row);

}  // namespace game
