#include "game/pauses.h"

#include <algorithm>
#include <cmath>

namespace game {

void TimedPause(Module1& m, ui::Timer& timer, int& flag, int millis,
                const std::function<void()>& afterEachPump) {
  flag = kSet;
  timer.SetEnabled(true);
  timer.SetInterval(millis);
  while (flag == kSet) {
    m.platform.WaitEvents();
    if (afterEachPump) afterEachPump();
  }
  timer.SetInterval(0);
  timer.SetEnabled(false);
}

int PauseMillis(double seconds) {
  // Single precision, as the pause lengths have always been held.
  const float ms = static_cast<float>(seconds) * 1000.0F;
  return std::max(1, static_cast<int>(std::nearbyint(ms)));
}

void WaitSeconds(Module1& m, double seconds) {
  TimedPause(m, m.form1.waitActionTimer, m.waitActionPending, PauseMillis(seconds));
}

void waitActionTimer_Timer(Module1& m) {
  m.waitActionPending = kClear;
}

}  // namespace game
