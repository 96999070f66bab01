// Pauses that keep the window alive: the rules show each removal and chain step for a while, and
// keys and the season clock go on acting meanwhile. Every pause has the same shape: a flag, a
// timer whose handler clears it, and a pump until it does.
#pragma once

#include <functional>

#include "game/module1.h"

namespace game {

// Raises the flag, arms the timer for millis and pumps until the timer's handler clears the
// flag; then disarms the timer. afterEachPump, when given, runs after every pump.
void TimedPause(Module1& m, ui::Timer& timer, int& flag, int millis,
                const std::function<void()>& afterEachPump = {});

// The timer interval for a length in seconds: nearest millisecond, halves to even, and never 0,
// since a pause on a 0 ms timer would never end.
int PauseMillis(double seconds);

void WaitSeconds(Module1& m, double seconds);
void waitActionTimer_Timer(Module1& m);

}  // namespace game
