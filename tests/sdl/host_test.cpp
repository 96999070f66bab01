// The windowed host on SDL's dummy driver: what the windows show and where inputs go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flow/promo.h"
#include "host/sdl/sdl_host.h"
#include "sdl_fixture.h"

namespace host::sdl {
namespace {

using qmtest::Color;
using qmtest::KeyEvent;
using qmtest::MouseEvent;
using qmtest::PictureColor;
using qmtest::WindowPixel;

constexpr Color kYellow{255, 255, 0};
constexpr Color kBlack{0, 0, 0};

class HostTest : public ::testing::Test {
 protected:
  explicit HostTest(int scale = 1)
      : host_(SdlOptions{scale, [this](std::string_view url) { opened_.emplace_back(url); }}) {
    host_.Start();
    host_.Redraw();
  }

  SDL_Window* Main() const { return host_.mainWindow(); }
  const ui::PictureSet& Pictures() { return host_.game().pictures; }
  void Send(const SDL_Event& event) {
    host_.Deliver(event);
    host_.Redraw();
  }
  void ClickStart() {
    Send(MouseEvent(Main(), SDL_MOUSEBUTTONDOWN, 260, 380));
    Send(MouseEvent(Main(), SDL_MOUSEBUTTONUP, 260, 380));
  }
  void ShowPromo() {
    flow::ShowPromoOnce(host_.game());
    host_.Redraw();
  }
  void PromoKey(Uint32 type, SDL_Keycode key, bool repeat = false) {
    Send(KeyEvent(host_.promoWindow(), type, key, KMOD_NONE, repeat));
  }

  SdlHost host_;
  std::vector<std::string> opened_;
};

TEST_F(HostTest, MainWindowIsTheDesignSizeCentredOnTheScreen) {
  int w = 0, h = 0, x = 0, y = 0;
  SDL_GetWindowSize(Main(), &w, &h);
  SDL_GetWindowPosition(Main(), &x, &y);
  SDL_Rect screen{};
  SDL_GetDisplayBounds(0, &screen);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 400);
  EXPECT_EQ(x, (screen.w - 320) / 2);
  EXPECT_EQ(y, (screen.h - 400) / 2);
  EXPECT_STREQ(SDL_GetWindowTitle(Main()), "Quillmere");
}

TEST_F(HostTest, StartScreenShowsTheBackgroundUnscaledAndTheScoreInYellow) {
  for (const SDL_Point p : {SDL_Point{5, 5}, SDL_Point{100, 100}, SDL_Point{319, 399}}) {
    EXPECT_EQ(WindowPixel(Main(), p.x, p.y), PictureColor(*Pictures().window, p.x, p.y));
  }
  const ui::Label& score = host_.game().form1.labelScore;
  const SDL_Rect box{score.left(), score.top(), score.width(), score.height()};
  EXPECT_GT(qmtest::CountColor(Main(), box, kYellow), 20);
  // Left-aligned: nothing yellow in the box's right half.
  const SDL_Rect right{box.x + box.w / 2, box.y, box.w / 2, box.h};
  EXPECT_EQ(qmtest::CountColor(Main(), right, kYellow), 0);
  EXPECT_EQ(WindowPixel(Main(), 250, 370), PictureColor(*Pictures().start, 2, 2));
}

TEST_F(HostTest, PressingTheStartButtonFramesItAndReleaseStartsAGame) {
  Send(MouseEvent(Main(), SDL_MOUSEBUTTONDOWN, 260, 380, SDL_BUTTON_RIGHT));
  EXPECT_EQ(WindowPixel(Main(), 248, 368), kBlack);
  EXPECT_EQ(WindowPixel(Main(), 249, 369), kBlack);
  EXPECT_EQ(WindowPixel(Main(), 305, 395), kBlack);
  EXPECT_EQ(WindowPixel(Main(), 250, 370), PictureColor(*Pictures().start, 2, 2));
  EXPECT_EQ(host_.game().gameActive, 0);

  Send(MouseEvent(Main(), SDL_MOUSEBUTTONUP, 10, 10, SDL_BUTTON_RIGHT));  // released elsewhere
  EXPECT_EQ(WindowPixel(Main(), 248, 368), PictureColor(*Pictures().start, 0, 0));
  EXPECT_EQ(host_.game().gameActive, 1);
  const game::Module1& m = host_.game();
  EXPECT_EQ(WindowPixel(Main(), 272 + 3, 48 + 12),
            PictureColor(*Pictures().cell[m.nextLower], 3, 12));
  EXPECT_EQ(WindowPixel(Main(), 272 + 3, 24 + 12),
            PictureColor(*Pictures().cell[m.nextUpper], 3, 12));
  EXPECT_EQ(WindowPixel(Main(), 8 + 20, 120 + 20), PictureColor(*Pictures().season[1], 20, 20));
}

TEST_F(HostTest, ClicksBesideTheStartButtonDoNothing) {
  Send(MouseEvent(Main(), SDL_MOUSEBUTTONDOWN, 247, 380));
  Send(MouseEvent(Main(), SDL_MOUSEBUTTONUP, 260, 380));
  EXPECT_EQ(host_.game().gameActive, 0);
}

TEST_F(HostTest, EitherEnterStartsAGame) {
  Send(KeyEvent(Main(), SDL_KEYDOWN, SDLK_KP_ENTER, KMOD_NUM));
  EXPECT_EQ(host_.game().gameActive, 1);
}

TEST_F(HostTest, TheFastDropKeyFromTheKeypadSetsTheDropInterval) {
  ClickStart();
  game::Module1& m = host_.game();
  m.pieceY = 1;  // the pair has entered the field
  m.tickRunning = game::kSet;
  Send(KeyEvent(Main(), SDL_KEYDOWN, SDLK_KP_2, KMOD_NONE));
  EXPECT_EQ(m.form1.nextBlockTimer.interval(), 500) << "without Num Lock the pair ignores it";
  Send(KeyEvent(Main(), SDL_KEYDOWN, SDLK_KP_2, KMOD_NUM, true));
  EXPECT_EQ(m.form1.nextBlockTimer.interval(), 500) << "a repeat keeps the code of its press";
  Send(KeyEvent(Main(), SDL_KEYUP, SDLK_KP_2, KMOD_NUM));
  Send(KeyEvent(Main(), SDL_KEYDOWN, SDLK_KP_2, KMOD_NUM));
  EXPECT_EQ(m.form1.nextBlockTimer.interval(), 10);
  Send(KeyEvent(Main(), SDL_KEYUP, SDLK_KP_2, KMOD_NONE));
  EXPECT_EQ(m.form1.nextBlockTimer.interval(), 500);
}

TEST_F(HostTest, PromoWindowAppearsBesideTheMainWindowWithItsPicture) {
  ShowPromo();
  SDL_Window* promo = host_.promoWindow();
  ASSERT_NE(promo, nullptr);
  int w = 0, h = 0, x = 0, y = 0, mainX = 0, mainY = 0;
  SDL_GetWindowSize(promo, &w, &h);
  SDL_GetWindowPosition(promo, &x, &y);
  SDL_GetWindowPosition(Main(), &mainX, &mainY);
  EXPECT_EQ(w, 120);
  EXPECT_EQ(h, 154);
  EXPECT_EQ(x, mainX + 272);  // 85 % of 320
  EXPECT_EQ(y, mainY + 133);  // a third of 400
  EXPECT_TRUE(SDL_GetWindowFlags(promo) & SDL_WINDOW_SKIP_TASKBAR);
  EXPECT_EQ(host_.focus(), Window::kPromo);
  EXPECT_EQ(WindowPixel(promo, 60, 153), PictureColor(*Pictures().promo, 60, 153));
}

TEST_F(HostTest, PromoWindowFollowsWhereThePlayerMovedTheMainWindow) {
  SDL_SetWindowPosition(Main(), 100, 50);
  Send(qmtest::WindowEvent(Main(), SDL_WINDOWEVENT_MOVED));
  ShowPromo();
  int x = 0, y = 0;
  SDL_GetWindowPosition(host_.promoWindow(), &x, &y);
  EXPECT_EQ(x, 100 + 272);
  EXPECT_EQ(y, 50 + 133);
}

TEST_F(HostTest, EachPressOnThePromoWindowOpensTheOrderPageOnce) {
  ShowPromo();
  PromoKey(SDL_KEYDOWN, SDLK_RETURN);
  for (int i = 0; i < 25; ++i) PromoKey(SDL_KEYDOWN, SDLK_RETURN, true);
  PromoKey(SDL_KEYUP, SDLK_RETURN);
  PromoKey(SDL_KEYDOWN, SDLK_LSHIFT);
  Send(MouseEvent(host_.promoWindow(), SDL_MOUSEBUTTONDOWN, 5, 5, SDL_BUTTON_MIDDLE));
  ASSERT_EQ(opened_.size(), 3U);
  EXPECT_EQ(opened_[0], "https://www.example.com/quillmere/order");
  EXPECT_EQ(host_.game().gameActive, 0) << "keys on the promotional window start no game";
}

TEST_F(HostTest, FastDropHeldThroughTheGamesEndOpensNothing) {
  Send(KeyEvent(Main(), SDL_KEYDOWN, SDLK_KP_2, KMOD_NUM));
  ShowPromo();
  Send(KeyEvent(Main(), SDL_KEYUP, SDLK_KP_2, KMOD_NUM));  // SDL's own release at the focus move
  PromoKey(SDL_KEYDOWN, SDLK_KP_2);
  PromoKey(SDL_KEYDOWN, SDLK_KP_2, true);
  EXPECT_TRUE(opened_.empty());
  PromoKey(SDL_KEYUP, SDLK_KP_2);
  PromoKey(SDL_KEYDOWN, SDLK_KP_2);
  EXPECT_EQ(opened_.size(), 1U);
}

TEST_F(HostTest, ClosingThePromoWindowClosesOnlyIt) {
  ShowPromo();
  Send(qmtest::WindowEvent(host_.promoWindow(), SDL_WINDOWEVENT_CLOSE));
  EXPECT_FALSE(SDL_GetWindowFlags(host_.promoWindow()) & SDL_WINDOW_SHOWN);
  EXPECT_FALSE(host_.game().frmCM.visible());
  EXPECT_EQ(host_.focus(), Window::kMain);
  Send(KeyEvent(Main(), SDL_KEYDOWN, SDLK_RETURN));
  EXPECT_EQ(host_.game().gameActive, 1);
  EXPECT_TRUE(opened_.empty());
}

TEST_F(HostTest, ClosingTheMainWindowEndsTheProgram) {
  EXPECT_THROW(host_.Deliver(qmtest::WindowEvent(Main(), SDL_WINDOWEVENT_CLOSE)), ui::ProgramEnded);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_THROW(host_.Deliver(quit), ui::ProgramEnded);
}

class ScaledHostTest : public HostTest {
 protected:
  ScaledHostTest() : HostTest(2) {}
};

TEST_F(ScaledHostTest, DesignIsDrawnTwiceAsLargeWithoutSmoothing) {
  int w = 0, h = 0;
  SDL_GetWindowSize(Main(), &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 800);
  for (const SDL_Point p : {SDL_Point{100, 100}, SDL_Point{37, 211}, SDL_Point{319, 399}}) {
    const Color expected = PictureColor(*Pictures().window, p.x, p.y);
    EXPECT_EQ(WindowPixel(Main(), 2 * p.x, 2 * p.y), expected);
    EXPECT_EQ(WindowPixel(Main(), 2 * p.x + 1, 2 * p.y + 1), expected);
  }
  Send(MouseEvent(Main(), SDL_MOUSEBUTTONDOWN, 2 * 250, 2 * 370));
  EXPECT_EQ(WindowPixel(Main(), 2 * 248 + 1, 2 * 368 + 1), kBlack);
  EXPECT_EQ(WindowPixel(Main(), 2 * 250, 2 * 370), PictureColor(*Pictures().start, 2, 2));
}

}  // namespace
}  // namespace host::sdl
