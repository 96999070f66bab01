// Pauses that keep the window alive: a flag, a timer that clears it, and a pump until it does.
#pragma once

#include "game/module1.h"

namespace flow {

// The timer interval for a length in seconds: nearest millisecond, halves to even, and never 0,
// since a pause on a 0 ms timer would never end.
int PauseMillis(double seconds);

void WaitSeconds(game::Module1& m, double seconds);
void waitActionTimer_Timer(game::Module1& m);
void waitTimer_Timer(game::Module1& m);

}  // namespace flow
