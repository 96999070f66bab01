// The clock's rules that both hosts follow, and start-up, on the virtual host.
#include <gtest/gtest.h>

#include <sstream>

#include "flow/game_life.h"
#include "flow/startup.h"
#include "host/virtual_host.h"
#include "sim/script.h"

namespace {

std::string Play(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out;
  sim::RunPlay(sim::ParseScript(in), out);
  return out.str();
}

// Records handler order through the game's own flags and pictures.
class StartedHost : public host::VirtualHost {
 public:
  explicit StartedHost(host::VirtualSetup setup = {}) : host::VirtualHost(std::move(setup)) {
    flow::Main(game());
  }
  using host::VirtualHost::NextTimerDue;
};

TEST(Clock, TimersStartOffAndArmOnlyWhenEnabledWithAnInterval) {
  StartedHost host;
  ui::Form1& f = host.game().form1;
  for (const ui::Timer* t : {&f.waitActionTimer, &f.seasonTimer, &f.waitTImer, &f.nextBlockTimer}) {
    EXPECT_FALSE(t->enabled()) << t->name();
    EXPECT_EQ(t->interval(), 0) << t->name();
  }
  f.nextBlockTimer.SetInterval(500);  // what releasing the fast-drop key does before a game
  EXPECT_FALSE(f.nextBlockTimer.armed());
  EXPECT_FALSE(host.NextTimerDue());
  f.nextBlockTimer.SetEnabled(true);
  EXPECT_EQ(host.NextTimerDue(), 500);
  f.nextBlockTimer.SetInterval(0);
  EXPECT_FALSE(host.NextTimerDue());
}

TEST(Clock, SimultaneousTimersFireInTheFixedOrderAndAPumpDoesNotMoveTime) {
  StartedHost host;
  game::Module1& m = host.game();
  m.waitActionPending = game::kSet;
  m.waitPending = game::kSet;
  ui::Form1& f = m.form1;
  for (ui::Timer* t : {&f.waitTImer, &f.seasonTimer, &f.waitActionTimer}) {
    t->SetEnabled(true);
    t->SetInterval(100);
  }
  m.season = 3;
  host.DoEvents();
  EXPECT_EQ(host.NowMs(), 0);
  EXPECT_EQ(m.waitActionPending, game::kSet);
  host.WaitEvents();
  EXPECT_EQ(host.NowMs(), 100);
  EXPECT_EQ(m.waitActionPending, game::kClear);
  EXPECT_EQ(m.waitPending, game::kClear);
  EXPECT_EQ(m.season, 0);
  EXPECT_EQ(host.NextTimerDue(), 200);  // each re-armed from its firing
}

TEST(Clock, ScriptedInputsAtTheSameTimeComeBeforeTimersAndUntilIsInclusive) {
  // The season timer and a close both at 10 s: the close wins, so no season is shown.
  const std::string closed = Play("draws 2 3 4 5\nat 0 click\nat 10000 close\n");
  EXPECT_EQ(closed.find("season 2"), std::string::npos) << closed;
  EXPECT_NE(closed.find("10000 end\n"), std::string::npos);
  const std::string last = Play("draws 2 3 4 5\nat 0 click\nuntil 10000\n");
  EXPECT_NE(last.find("10000 season 2\n10000 end\n"), std::string::npos) << last;
  const std::string before = Play("draws 2\nat 0 click\nuntil 9999\n");
  EXPECT_EQ(before.find("season 2"), std::string::npos);
  EXPECT_NE(before.find("9999 end\n"), std::string::npos);
}

// A drop tick every 10 ms against its own 125 ms landing pause: were the tick re-entered from
// inside the pause, the landed pair would be locked again and again.
TEST(Clock, ATimerNeverFiresInsideItsOwnHandler) {
  class LockCounter : public StartedHost {
   public:
    void PairLocked(int, int, int, int) override { ++locks; }
    int locks = 0;
  } host;
  game::Module1& m = host.game();
  flow::NewGame(m);
  m.gameActive = 1;
  m.pieceY = 12;
  m.speedLevel = 2;
  m.form1.nextBlockTimer.SetEnabled(true);
  m.form1.nextBlockTimer.SetInterval(10);
  host.WaitEvents();
  EXPECT_EQ(host.locks, 1);
  EXPECT_EQ(host.NowMs(), 10 + 125);
  EXPECT_FALSE(m.form1.nextBlockTimer.running);
}

TEST(Startup, SizesTheClientTo320By400AndCentresTheWindow) {
  StartedHost host;
  const ui::Form1& f = host.game().form1;
  const ui::ScreenMetrics screen = host.Screen();
  EXPECT_EQ(f.scaleWidth(), 320);
  EXPECT_EQ(f.scaleHeight(), 400);
  EXPECT_DOUBLE_EQ(f.width(), 4800);
  EXPECT_DOUBLE_EQ(f.height(), 6000);
  EXPECT_DOUBLE_EQ(f.left(), (screen.widthTwips - 4800) / 2.0);
  EXPECT_DOUBLE_EQ(f.top(), (screen.heightTwips - 6000) / 2.0);
  EXPECT_TRUE(f.visible());
  EXPECT_TRUE(f.keyPreview);
}

TEST(Startup, KeepsTheFrameOutOfTheClientArea) {
  class FramedHost : public host::VirtualHost {
   public:
    FramedHost() : host::VirtualHost({}) {
      game().form1.SetFrame(8, 31);
      flow::Main(game());
    }
  } host;
  const ui::Form1& f = host.game().form1;
  EXPECT_EQ(f.scaleWidth(), 320);
  EXPECT_EQ(f.scaleHeight(), 400);
  EXPECT_DOUBLE_EQ(f.width(), (320 + 8) * 15);
}

TEST(Startup, TablesAndAnUntouchedBoard) {
  StartedHost host;
  const game::Module1& m = host.game();
  EXPECT_EQ(m.dropInterval, (std::array<int, 4>{500, 333, 250, 200}));
  EXPECT_EQ(m.keyBinding, (std::array<int, 4>{100, 102, 98, 101}));
  EXPECT_EQ(m.gameActive, 0);
  EXPECT_EQ(m.promoPending, game::kSet);
  for (const auto& column : m.board) {
    for (int code : column) EXPECT_EQ(code, 0);
  }
  EXPECT_EQ(m.form1.imgBlock.size(), 72U);
  EXPECT_FALSE(m.form1.imgBlock[71].visible());
}

// A second copy shows its warning and ends before any window appears.
TEST(Startup, ASecondCopyWarnsAndEnds) {
  class SecondCopy : public host::VirtualHost {
   public:
    SecondCopy() : host::VirtualHost({}) {}
    bool PrevInstance() override { return true; }
    void MsgBox(std::string_view text, std::string_view title) override {
      shown = std::string(title) + "|" + std::string(text);
    }
    std::string shown;
  } host;
  EXPECT_THROW(flow::Main(host.game()), ui::ProgramEnded);
  EXPECT_EQ(host.shown, "警告|Quillmereは、起動されています。");
  EXPECT_FALSE(host.game().form1.visible());
}

}  // namespace
