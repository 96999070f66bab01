// Keys as the game knows them: SDL's key events become the virtual-key codes that the handlers
// compare, and the promotional window hears only fresh presses.
#pragma once

#include <SDL_keyboard.h>

#include <map>
#include <optional>
#include <set>

namespace host::sdl {

inline constexpr int kVkReturn = 13;

// The virtual-key code of a key as pressed with these modifiers; 0 for keys without one. The
// keypad gives digits only while Num Lock is on, as it does on the system the game comes from.
int VirtualKeyCode(SDL_Keycode key, Uint16 modifiers);
// The code the game hears: as above, except that the dedicated arrow keys, known by their scan
// codes, give the keypad's digits 4, 6, 5 and 2, a second binding for keyboards without a keypad.
int VirtualKeyCode(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers);

enum class KeyTarget { kMain, kPromo };

// Decides a key's code when it goes down and gives its release the same code, whatever
// Num Lock does in between. Auto-repeat reaches the main window (fast drop relies on it) but not
// the promotional window, where each press must open the order page once; a key already held
// when that window appeared (fast drop at the game's end) opens nothing until it is released.
class KeyRouter {
 public:
  std::optional<int> Down(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers, bool repeat,
                          KeyTarget target);
  int Up(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers, KeyTarget target);
  void PromoAppeared();

 private:
  std::map<SDL_Scancode, int> held_;
  std::set<SDL_Scancode> heldFromPlay_;
};

}  // namespace host::sdl
