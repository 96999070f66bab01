// The main window's keys: the keypad steers the falling pair, Enter starts a game.
#pragma once

#include "game/module1.h"

namespace input {

inline constexpr int kEnterKey = 13;

void Form_KeyDown(game::Module1& m, int keyCode);
void Form_KeyUp(game::Module1& m, int keyCode);

}  // namespace input
