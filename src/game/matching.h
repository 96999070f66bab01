// Finding runs: four scans over the same unchanged board fill one pass's match list.
#pragma once

#include "game/module1.h"

namespace game {

enum Direction { kRight = 1, kUp = 2, kUpRight = 3, kUpLeft = 4 };

// The number of cells beyond (x, y) that continue its code in direction; adds to runSteps.
int FollowRun(Module1& m, int x, int y, int direction);

int ScanRows(Module1& m);
int ScanColumns(Module1& m);
int ScanDiagonalsUpRight(Module1& m);
int ScanDiagonalsUpLeft(Module1& m);

}  // namespace game
