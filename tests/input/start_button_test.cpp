// The start button and a new game; the promotional window that the first game's end brings,
// where keys and clicks open the order page until the focus returns to the game.
#include <gtest/gtest.h>

#include "flow/session.h"
#include "flow/startup.h"
#include "input/start_button.h"

namespace {

using qtest::kEnter;
using qtest::Script;
using qtest::Session;
using Events = std::vector<std::pair<ui::Millis, std::string>>;

const std::vector<int> kCycle = {2, 3, 4, 5, 6, 7};

class StartButton : public ::testing::Test {
 protected:
  StartButton() : s(Script().Draws(kCycle)) { flow::Main(m()); }
  game::Module1& m() { return s.m(); }
  Session s;
};

TEST_F(StartButton, PressFramesTwoRingsReleaseRepaintsAndStarts) {
  const ui::PictureBox& button = m().form1.btStart;
  input::btStart_MouseDown(m());
  ASSERT_EQ(button.drawn().size(), 2U);
  const ui::PictureBox::Rect outer = button.drawn()[0], inner = button.drawn()[1];
  EXPECT_EQ((std::array{outer.x1, outer.y1, outer.x2, outer.y2}), (std::array{0, 0, 57, 27}));
  EXPECT_EQ((std::array{inner.x1, inner.y1, inner.x2, inner.y2}), (std::array{1, 1, 56, 26}));
  EXPECT_EQ(m().board[3][5], 0);  // the press alone starts nothing

  input::btStart_MouseUp(m());
  EXPECT_TRUE(button.drawn().empty());
  const ui::Form1& f = m().form1;
  EXPECT_EQ(m().gameActive, 1);
  EXPECT_EQ(f.labelScore.caption(), "0");
  // NewGame draws the pair, then the preview: the preview shows the third and fourth draws.
  EXPECT_EQ(m().pieceLower, 2);
  EXPECT_EQ(m().pieceUpper, 3);
  EXPECT_EQ(f.imgNextBlock[0].picture(), f.imgBlockType[4].picture());
  EXPECT_EQ(f.imgNextBlock[1].picture(), f.imgBlockType[5].picture());
  EXPECT_TRUE(f.imgNextBlock[0].visible() && f.imgNextBlock[1].visible());
  EXPECT_EQ(f.imgSeason.picture(), f.imgSeasonType[1].picture());
  EXPECT_TRUE(f.imgSeason.visible());
  EXPECT_TRUE(f.nextBlockTimer.armed());
  EXPECT_EQ(f.nextBlockTimer.due(), 500);
  EXPECT_TRUE(f.seasonTimer.armed());
  EXPECT_EQ(f.seasonTimer.due(), 10000);
  EXPECT_FALSE(f.waitTImer.armed() || f.waitActionTimer.armed());
  // Field and entry row empty, walls and floor built; beyond them the board keeps its 0.
  for (int x = 0; x <= 8; ++x) {
    for (int y = 0; y <= 14; ++y) {
      const bool wall = (x == 0 || x == 7 || y == 13) && x <= 7 && y <= 13;
      const int expected = (x == 8 || y == 14) ? 0 : wall ? 9 : 1;
      EXPECT_EQ(m().board[x][y], expected) << x << "," << y;
    }
  }
}

TEST_F(StartButton, PressAndReleaseDuringAGameChangeNothing) {
  input::btStart_MouseDown(m());
  input::btStart_MouseUp(m());
  m().board[4][12] = 6;
  m().pieceY = 4;
  m().score = 17;
  const game::Board board = m().board;
  const ui::Millis dropDue = m().form1.nextBlockTimer.due();

  input::btStart_MouseDown(m());
  EXPECT_TRUE(m().form1.btStart.drawn().empty());
  input::btStart_MouseUp(m());
  EXPECT_EQ(m().board, board);
  EXPECT_EQ(m().pieceY, 4);
  EXPECT_EQ(m().score, 17);
  EXPECT_EQ(m().nextLower, 4);
  EXPECT_EQ(m().form1.nextBlockTimer.due(), dropDue);
}

TEST(PromoWindow, AfterTheFirstGameOnlyItTakesTheKeysUntilFocusReturns) {
  // The cycle's pairs stack without a run, so each game ends 26250 ms after its start.
  Script script = Script().Draws(kCycle).Until(60000);
  script.PromoClick(100);  // not shown yet: ignored, and the keys stay with the game
  script.Click(0);
  script.Key(27000, kEnter).Key(28000, qtest::kLeft).PromoClick(29000);
  script.FocusMain(30000).Key(30000, kEnter);
  script.Key(57000, kEnter);  // after the second game the focus is still the game's
  Session s(script);
  s.Run();

  EXPECT_EQ(s.Events("gameover"), (Events{{26250, "gameover"}, {56250, "gameover"}}));
  EXPECT_EQ(s.Events("promo"), (Events{{26250, "promo"}}));
  EXPECT_EQ(s.Events("order"), (Events{{27000, "order"}, {28000, "order"}, {29000, "order"}}));
  EXPECT_EQ(s.ordersOpened(), 3);
  EXPECT_EQ(s.Events("start"), (Events{{0, "start"}, {30000, "start"}, {57000, "start"}}));
  EXPECT_EQ(s.locks.front().at, 6750);

  // A third of the way down and 85 % across the centred 4800 x 6000 twip main window.
  const ui::FrmCM& promo = s.m().frmCM;
  EXPECT_TRUE(promo.visible());
  EXPECT_DOUBLE_EQ(promo.top(), 5100 + 2000);
  EXPECT_DOUBLE_EQ(promo.left(), 12000 + 4080);
  EXPECT_EQ(s.focus(), host::Window::kMain);
}

TEST(PromoWindow, ANewGameAfterTheEndShowsItsOwnPreviewAndSummer) {
  Session s(Script().Draws(kCycle).Click(0).Click(27000).Until(27001));
  s.Run();
  // The first game used 4 + 6 * 2 draws: the second game's pair is the cycle's 6 and 7, its
  // preview 2 and 3.
  const Events all = s.Events("");
  ASSERT_GE(all.size(), 5U);
  const Events tail(all.end() - 5, all.end());
  EXPECT_EQ(tail, (Events{{27000, "start"},
                          {27000, "score 0"},
                          {27000, "next 2 3"},
                          {27000, "season 1"},
                          {27001, "end"}}));
  const ui::Form1& f = s.m().form1;
  EXPECT_TRUE(f.imgSeason.visible() && f.imgNextBlock[0].visible());
  EXPECT_EQ(s.m().board[3][12], game::kEmpty);
  EXPECT_EQ(s.m().pieceLower, 6);
  EXPECT_EQ(s.m().pieceUpper, 7);
}

}  // namespace
