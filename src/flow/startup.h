// The program's life: start-up (one copy per user, the session's state, the window sized and
// centred) and its end when the main window closes.
#pragma once

#include "game/module1.h"

namespace flow {

void Main(game::Module1& m);
void ShowMainWindow(game::Module1& m);
// Ends the program at once, from whatever depth of pumping.
[[noreturn]] void Form_Unload(game::Module1& m);

// Two seconds divided into 4 + 2 level steps, to the nearest millisecond.
int DropIntervalFor(int level);

}  // namespace flow
