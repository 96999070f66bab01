// Letting cells fall into the gaps below them, one row per step, with a repaint per step.
#pragma once

#include "game/module1.h"

namespace game {

void DropCells(Module1& m);
void RedrawBoard(Module1& m);

}  // namespace game
