// The start button, the new game, and the main window's close.
#pragma once

#include "game/module1.h"

namespace input {

void btStart_MouseDown(game::Module1& m);
void btStart_MouseUp(game::Module1& m);
void NewGame(game::Module1& m);
[[noreturn]] void Form_Unload(game::Module1& m);

}  // namespace input
