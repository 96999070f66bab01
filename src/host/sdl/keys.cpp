#include "host/sdl/keys.h"

namespace host::sdl {
namespace {

// Windows virtual-key codes of the keys a player might press.
constexpr int kVkBack = 8, kVkTab = 9, kVkClear = 12, kVkShift = 16, kVkControl = 17, kVkMenu = 18,
              kVkPause = 19, kVkCapital = 20, kVkEscape = 27, kVkSpace = 32, kVkPrior = 33,
              kVkNext = 34, kVkEnd = 35, kVkHome = 36, kVkLeft = 37, kVkUp = 38, kVkRight = 39,
              kVkDown = 40, kVkInsert = 45, kVkDelete = 46, kVkNumpad0 = 96, kVkMultiply = 106,
              kVkAdd = 107, kVkSubtract = 109, kVkDecimal = 110, kVkDivide = 111, kVkF1 = 112,
              kVkNumLock = 144;
constexpr int kVkNumpad2 = 98, kVkNumpad4 = 100, kVkNumpad5 = 101, kVkNumpad6 = 102;

// The keypad's keys 1 to 9 and 0 without Num Lock, in SDL's order.
constexpr int kKeypadNavigation[] = {kVkEnd,   kVkDown, kVkNext, kVkLeft,  kVkClear,
                                     kVkRight, kVkHome, kVkUp,   kVkPrior, kVkInsert};

int KeypadCode(SDL_Keycode key, bool numLock) {
  if (key >= SDLK_KP_1 && key <= SDLK_KP_0) {
    const int index = key - SDLK_KP_1;  // 0 is last in SDL's order
    if (!numLock) return kKeypadNavigation[index];
    return kVkNumpad0 + (key == SDLK_KP_0 ? 0 : index + 1);
  }
  switch (key) {
    case SDLK_KP_PERIOD:
      return numLock ? kVkDecimal : kVkDelete;
    case SDLK_KP_ENTER:
      return kVkReturn;
    case SDLK_KP_DIVIDE:
      return kVkDivide;
    case SDLK_KP_MULTIPLY:
      return kVkMultiply;
    case SDLK_KP_MINUS:
      return kVkSubtract;
    case SDLK_KP_PLUS:
      return kVkAdd;
    default:
      return -1;
  }
}

// A keyboard without a keypad plays on its own arrows: Left and Right move, Up swaps, Down drops
// fast. Told apart by the scan code, since the keypad's arrows (Num Lock off) bring the same
// key symbols on some systems and must still do nothing.
int DedicatedArrowCode(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_LEFT:
      return kVkNumpad4;
    case SDL_SCANCODE_RIGHT:
      return kVkNumpad6;
    case SDL_SCANCODE_UP:
      return kVkNumpad5;
    case SDL_SCANCODE_DOWN:
      return kVkNumpad2;
    default:
      return 0;
  }
}

int NamedCode(SDL_Keycode key) {
  switch (key) {
    case SDLK_RETURN:
      return kVkReturn;
    case SDLK_BACKSPACE:
      return kVkBack;
    case SDLK_TAB:
      return kVkTab;
    case SDLK_ESCAPE:
      return kVkEscape;
    case SDLK_SPACE:
      return kVkSpace;
    case SDLK_PAUSE:
      return kVkPause;
    case SDLK_CAPSLOCK:
      return kVkCapital;
    case SDLK_NUMLOCKCLEAR:
      return kVkNumLock;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return kVkShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return kVkControl;
    case SDLK_LALT:
    case SDLK_RALT:
      return kVkMenu;
    case SDLK_PAGEUP:
      return kVkPrior;
    case SDLK_PAGEDOWN:
      return kVkNext;
    case SDLK_END:
      return kVkEnd;
    case SDLK_HOME:
      return kVkHome;
    case SDLK_LEFT:
      return kVkLeft;
    case SDLK_UP:
      return kVkUp;
    case SDLK_RIGHT:
      return kVkRight;
    case SDLK_DOWN:
      return kVkDown;
    case SDLK_INSERT:
      return kVkInsert;
    case SDLK_DELETE:
      return kVkDelete;
    default:
      return 0;
  }
}

}  // namespace

int VirtualKeyCode(SDL_Keycode key, Uint16 modifiers) {
  if (const int code = KeypadCode(key, (modifiers & KMOD_NUM) != 0); code >= 0) return code;
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return kVkF1 + (key - SDLK_F1);
  return NamedCode(key);
}

int VirtualKeyCode(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers) {
  if (const int code = DedicatedArrowCode(scancode)) return code;
  return VirtualKeyCode(key, modifiers);
}

std::optional<int> KeyRouter::Down(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers,
                                   bool repeat, KeyTarget target) {
  const auto [it, fresh] = held_.try_emplace(scancode, VirtualKeyCode(scancode, key, modifiers));
  if (target == KeyTarget::kMain) return it->second;
  if (repeat || !fresh || heldFromPlay_.contains(scancode)) return std::nullopt;
  return it->second;
}

int KeyRouter::Up(SDL_Scancode scancode, SDL_Keycode key, Uint16 modifiers, KeyTarget target) {
  // Only a release that the promotional window itself hears ends a key held from play: SDL may
  // release held keys on its own while the focus moves, and the key is still down.
  if (target == KeyTarget::kPromo) heldFromPlay_.erase(scancode);
  const auto it = held_.find(scancode);
  const int code = it != held_.end() ? it->second : VirtualKeyCode(scancode, key, modifiers);
  if (it != held_.end()) held_.erase(it);
  return code;
}

void KeyRouter::PromoAppeared() {
  for (const auto& [scancode, code] : held_) heldFromPlay_.insert(scancode);
}

}  // namespace host::sdl
