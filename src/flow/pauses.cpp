#include "flow/pauses.h"

#include <algorithm>
#include <cmath>

namespace flow {

int PauseMillis(double seconds) {
  // Single precision, as the pause lengths have always been held.
  const float ms = static_cast<float>(seconds) * 1000.0F;
  return std::max(1, static_cast<int>(std::nearbyint(ms)));
}

void WaitSeconds(game::Module1& m, double seconds) {
  ui::Timer& timer = m.form1.waitActionTimer;
  m.waitActionPending = game::kSet;
  timer.SetEnabled(true);
  timer.SetInterval(PauseMillis(seconds));
  while (m.waitActionPending == game::kSet) m.platform.WaitEvents();
  timer.SetInterval(0);
  timer.SetEnabled(false);
}

void waitActionTimer_Timer(game::Module1& m) { m.waitActionPending = game::kClear; }

void waitTimer_Timer(game::Module1& m) { m.waitPending = game::kClear; }

}  // namespace flow
