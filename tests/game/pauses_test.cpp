// The pause that the rules take between their steps.
#include <gtest/gtest.h>

#include "game/pauses.h"
#include "support/harness.h"

TEST(WaitSeconds, RoundsHalvesToEvenNeverToZeroRunsOtherHandlersAndLeavesItsTimerIdle) {
  for (auto [seconds, ms] : {std::pair(0.5, 500), {0.1, 100}, {0.0025, 2}, {0.0035, 4}, {0.0, 1}}) {
    EXPECT_EQ(game::PauseMillis(seconds), ms) << seconds;
  }
  qmtest::Session s;
  game::Module1& m = s.Playing().m();
  m.form1.seasonTimer.SetInterval(300);
  m.form1.seasonTimer.SetEnabled(true);
  game::WaitSeconds(m, 0.5);
  EXPECT_EQ(std::pair(s.NowMs(), m.season), (std::pair<ui::Millis, int>(500, 2)));
  EXPECT_EQ(m.waitActionPending, game::kClear);
  EXPECT_FALSE(m.form1.waitActionTimer.enabled() || m.form1.waitActionTimer.interval() != 0);
}
