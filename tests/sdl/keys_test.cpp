// The key codes the game compares, and who hears which press.
#include "host/sdl/keys.h"

#include <gtest/gtest.h>

#include <utility>

namespace host::sdl {
namespace {

TEST(VirtualKeyCode, KeypadGivesDigitsOnlyWithNumLock) {
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_4, KMOD_NUM), 100);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_6, KMOD_NUM), 102);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_5, KMOD_NUM), 101);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_2, KMOD_NUM), 98);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_0, KMOD_NUM), 96);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_9, KMOD_NUM | KMOD_SHIFT), 105);

  EXPECT_EQ(VirtualKeyCode(SDLK_KP_4, KMOD_NONE), 37);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_6, KMOD_NONE), 39);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_5, KMOD_NONE), 12);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_2, KMOD_NONE), 40);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_0, KMOD_NONE), 45);
}

TEST(VirtualKeyCode, BothEntersAreReturn) {
  EXPECT_EQ(VirtualKeyCode(SDLK_RETURN, KMOD_NONE), 13);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_ENTER, KMOD_NONE), 13);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_ENTER, KMOD_NUM), 13);
}

TEST(VirtualKeyCode, OtherKeysAsTheirSystemCodes) {
  EXPECT_EQ(VirtualKeyCode(SDLK_a, KMOD_NONE), 'A');
  EXPECT_EQ(VirtualKeyCode(SDLK_7, KMOD_NONE), '7');
  EXPECT_EQ(VirtualKeyCode(SDLK_F5, KMOD_NONE), 116);
  EXPECT_EQ(VirtualKeyCode(SDLK_LEFT, KMOD_NUM), 37);
  EXPECT_EQ(VirtualKeyCode(SDLK_LSHIFT, KMOD_NONE), 16);
  EXPECT_EQ(VirtualKeyCode(SDLK_KP_PERIOD, KMOD_NUM), 110);
}

constexpr SDL_Scancode kKp2 = SDL_SCANCODE_KP_2;

// Known by the scan code: a system may give the keypad's arrows (Num Lock off) the arrows' symbols.
TEST(KeyRouter, DedicatedArrowsPlayAsTheKeypadDigitsWhateverNumLockDoes) {
  KeyRouter keys;
  const std::pair<SDL_Scancode, int> arrows[] = {{SDL_SCANCODE_LEFT, 100},
                                                 {SDL_SCANCODE_RIGHT, 102},
                                                 {SDL_SCANCODE_UP, 101},
                                                 {SDL_SCANCODE_DOWN, 98}};
  for (const auto& [scancode, code] : arrows) {
    for (const Uint16 mod : {KMOD_NONE, KMOD_NUM}) {
      const SDL_Keycode key = SDL_SCANCODE_TO_KEYCODE(scancode);
      EXPECT_EQ(keys.Down(scancode, key, mod, false, KeyTarget::kMain), code) << scancode;
      EXPECT_EQ(keys.Up(scancode, key, mod, KeyTarget::kMain), code) << scancode;
    }
  }
  EXPECT_EQ(keys.Down(SDL_SCANCODE_KP_4, SDLK_LEFT, KMOD_NONE, false, KeyTarget::kMain), 37);
  EXPECT_EQ(keys.Down(SDL_SCANCODE_KP_2, SDLK_DOWN, KMOD_NONE, false, KeyTarget::kMain), 40);
}

TEST(KeyRouter, ReleaseKeepsTheCodeOfThePressWhateverNumLockDoes) {
  KeyRouter keys;
  EXPECT_EQ(keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, false, KeyTarget::kMain), 98);
  EXPECT_EQ(keys.Up(kKp2, SDLK_KP_2, KMOD_NONE, KeyTarget::kMain), 98);
  EXPECT_EQ(keys.Down(kKp2, SDLK_KP_2, KMOD_NONE, false, KeyTarget::kMain), 40);
  EXPECT_EQ(keys.Up(kKp2, SDLK_KP_2, KMOD_NUM, KeyTarget::kMain), 40);
}

TEST(KeyRouter, MainWindowHearsAutoRepeat) {
  KeyRouter keys;
  EXPECT_EQ(keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, false, KeyTarget::kMain), 98);
  EXPECT_EQ(keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, true, KeyTarget::kMain), 98);
  EXPECT_EQ(keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, true, KeyTarget::kMain), 98);
}

TEST(KeyRouter, PromoWindowHearsEachPressOnce) {
  KeyRouter keys;
  const auto a = SDL_SCANCODE_A;
  EXPECT_TRUE(keys.Down(a, SDLK_a, KMOD_NONE, false, KeyTarget::kPromo));
  EXPECT_FALSE(keys.Down(a, SDLK_a, KMOD_NONE, true, KeyTarget::kPromo));
  // A repeat that SDL failed to mark is still the same press.
  EXPECT_FALSE(keys.Down(a, SDLK_a, KMOD_NONE, false, KeyTarget::kPromo));
  keys.Up(a, SDLK_a, KMOD_NONE, KeyTarget::kPromo);
  EXPECT_TRUE(keys.Down(a, SDLK_a, KMOD_NONE, false, KeyTarget::kPromo));
}

// Fast drop held through the game's end: SDL releases the key as the focus moves, then the
// keyboard's repeats reach the new window looking like a fresh press.
TEST(KeyRouter, KeyHeldFromPlayOpensNothingUntilReleasedOnThePromoWindow) {
  KeyRouter keys;
  keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, false, KeyTarget::kMain);
  keys.PromoAppeared();
  keys.Up(kKp2, SDLK_KP_2, KMOD_NUM, KeyTarget::kMain);
  EXPECT_FALSE(keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, false, KeyTarget::kPromo));
  EXPECT_FALSE(keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, true, KeyTarget::kPromo));
  keys.Up(kKp2, SDLK_KP_2, KMOD_NUM, KeyTarget::kPromo);
  EXPECT_TRUE(keys.Down(kKp2, SDLK_KP_2, KMOD_NUM, false, KeyTarget::kPromo));
}

}  // namespace
}  // namespace host::sdl
