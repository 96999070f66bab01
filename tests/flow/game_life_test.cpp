// A game's life: its start, the seasons and the special pair they bring, its end with the
// promotional window after the first one, and the next game.
#include <gtest/gtest.h>

#include "game/board.h"
#include "support/harness.h"

using qmtest::Events;
using qmtest::Script;
using qmtest::Session;

TEST(GameLife, SeasonsTurnEveryTenSecondsAndEachSpringBringsOneSpecialPair) {
  Script script = Script().Click(0).Until(115000);  // many previews per season
  for (ui::Millis t = 0; t <= 115000; t += 30) script.Down(t, qmtest::kFast);
  Session s(script);
  s.onResolved = [](Session& session) { game::ResetBoard(session.m()); };  // an endless game
  s.Run();
  int season = 1, specials = 0, previewsInSpring = 0, seasons = 0;
  bool fresh = false;
  for (const auto& [at, line] : s.Log()) {
    if (line.starts_with("season ")) {
      EXPECT_EQ(std::pair(at, line), std::pair(ui::Millis{10000} * seasons,
                                               "season " + std::to_string((seasons + 1) % 4)));
      season = line.back() - '0', fresh = season == 0, ++seasons;
    } else if (line.starts_with("next ")) {
      EXPECT_EQ(line == "next 8 1", fresh) << "at " << at;  // the first preview of spring only
      previewsInSpring += season == 0, specials += line == "next 8 1";
      fresh = fresh && line != "next 8 1";
    }
  }
  EXPECT_EQ(std::tuple(seasons, specials), std::tuple(12, 3));  // the springs at 30, 70 and 110 s
  EXPECT_GT(previewsInSpring, 2 * specials);
  EXPECT_EQ(s.Log("lock 3 12 8 1").size(), 3U);  // each locks as a single cell
}

TEST(GameLife, AfterTheFirstGameThePromotionTakesTheKeysUntilTheFocusReturns) {
  Script script = Script().Click(0).Until(60000);
  script.At(100, qmtest::ScriptedInput::kPromoClick);  // not shown yet: ignored
  script.Key(27000, qmtest::kEnter).Key(28000, qmtest::kLeft);
  script.At(29000, qmtest::ScriptedInput::kPromoClick);
  script.At(30000, qmtest::ScriptedInput::kFocusMain).Key(30000, qmtest::kEnter);
  script.Key(57000, qmtest::kEnter);  // after the second game the focus is still the game's
  Session s(script);
  s.Run();
  EXPECT_EQ(s.Log("gameover"), (Events{{26250, "gameover"}, {56250, "gameover"}}));
  EXPECT_EQ(s.Log("promo"), (Events{{26250, "promo"}}));
  EXPECT_EQ(s.Log("order"), (Events{{27000, "order"}, {28000, "order"}, {29000, "order"}}));
  EXPECT_EQ(s.Log("start"), (Events{{0, "start"}, {30000, "start"}, {57000, "start"}}));
  // The second game's pair is the cycle's 6 and 7 after 4 + 6 * 2 draws, its preview 2 and 3.
  const Events all = s.Log();
  const auto second = std::find(all.begin(), all.end(), Events::value_type(30000, "start"));
  ASSERT_LT(second + 3, all.end());
  EXPECT_EQ(
      Events(second, second + 4),
      (Events{{30000, "start"}, {30000, "score 0"}, {30000, "next 2 3"}, {30000, "season 1"}}));
  // A third of the way down and 85 % across the centred 4800 x 6000 twip main window.
  EXPECT_EQ(std::pair(s.m().frmCM.top(), s.m().frmCM.left()),
            std::pair(5100.0 + 2000, 12000.0 + 4080));
  EXPECT_EQ(s.focus(), host::Window::kMain);
}
