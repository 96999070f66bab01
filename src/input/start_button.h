// The start button: a press frames it, a release repaints it and starts a game if none runs.
#pragma once

#include "game/module1.h"

namespace input {

void btStart_MouseDown(game::Module1& m);
void btStart_MouseUp(game::Module1& m);

}  // namespace input
