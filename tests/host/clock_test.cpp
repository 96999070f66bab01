// The clock's rules that both hosts follow, on the virtual host.
#include <gtest/gtest.h>

#include "support/harness.h"

using qmtest::Script;
using qmtest::Session;

TEST(Clock, ATimerIsArmedWhileEnabledWithAnIntervalAndTimersDueTogetherFireInOrder) {
  Session s;
  s.Start();
  game::Module1& m = s.m();
  ui::Form1& f = m.form1;
  f.nextBlockTimer.SetInterval(500);  // what releasing keypad 2 does before a game
  EXPECT_FALSE(s.NextTimerDue());
  f.nextBlockTimer.SetEnabled(true);
  EXPECT_EQ(s.NextTimerDue(), 500);
  f.nextBlockTimer.SetInterval(0);
  m.waitActionPending = m.waitPending = game::kSet;
  for (ui::Timer* t : {&f.waitTImer, &f.seasonTimer, &f.waitActionTimer}) {
    t->SetEnabled(true), t->SetInterval(100);
  }
  std::string seen;  // the pause flags when the season turns: after one timer, before the other
  s.onChange = [&seen, &m](Session&, const ui::Control&, ui::Change) {
    seen += std::to_string(m.waitActionPending) + std::to_string(m.waitPending);
  };
  s.DoEvents();
  EXPECT_EQ(std::pair(s.NowMs(), seen), (std::pair<ui::Millis, std::string>(0, "")));
  s.WaitEvents();
  EXPECT_EQ(std::pair(s.NowMs(), seen), (std::pair<ui::Millis, std::string>(100, "0-1")));
  EXPECT_EQ(s.NextTimerDue(), 200);  // each re-armed from its firing
}

TEST(Clock, ScriptedInputsComeBeforeTimersDueThenAndUntilIsInclusive) {
  for (auto [script, end, turned] :
       {std::tuple(Script().At(10000, qmtest::ScriptedInput::kClose), 10000, false),
        {Script().Until(10000), 10000, true},
        {Script().Until(9999), 9999, false}}) {
    Session s(script.Click(0));
    s.Run();
    EXPECT_EQ(s.Log().back(), qmtest::Events::value_type(end, "end"));
    EXPECT_EQ(s.Log("season 2").size(), turned ? 1U : 0U);
  }
}

TEST(Clock, AWaitingPumpDeliversWhatIsDueNowWithoutMovingTheClock) {
  Session s(Script().Key(0, qmtest::kLeft).Key(500, qmtest::kLeft));  // an input due now
  game::Module1& m = s.Playing().m();
  s.WaitEvents();
  EXPECT_EQ(s.NowMs(), 0);
  m.form1.seasonTimer.SetInterval(100), m.form1.seasonTimer.SetEnabled(true);
  m.form1.nextBlockTimer.SetInterval(10), m.form1.nextBlockTimer.SetEnabled(true);
  m.form1.nextBlockTimer.running = true;  // as if its handler were pumping: not delivered
  s.WaitEvents();
  EXPECT_EQ(std::pair(s.NowMs(), m.pieceY), (std::pair<ui::Millis, int>(100, 0)));
  m.form1.nextBlockTimer.running = false;  // its handler has returned: due since 10
  s.WaitEvents();
  EXPECT_EQ(std::pair(s.NowMs(), m.pieceY), (std::pair<ui::Millis, int>(100, 1)));
}

// A drop tick every 10 ms against its own 125 ms landing pause: were the tick re-entered from
// inside the pause, the landed pair would be locked again and again.
TEST(Clock, ATimerNeverFiresInsideItsOwnHandler) {
  Session s;
  game::Module1& m = s.Playing().m();
  m.pieceY = 12, m.speedLevel = 2;
  m.form1.nextBlockTimer.SetEnabled(true);
  m.form1.nextBlockTimer.SetInterval(10);
  s.WaitEvents();
  EXPECT_EQ(s.Log("lock"), (qmtest::Events{{10 + 125, "lock 3 12 2 3"}}));
}
