// The single-instance warning on Windows: the system's own message box (SDL's is MessageBox
// there), in the system's dialog font, which has Japanese wherever Japanese is read.
#include <SDL.h>

#include "host/sdl/message_box.h"

namespace host::sdl {

WarningBox::WarningBox(std::string_view text, std::string_view title, int scale)
    : text_(text), title_(title), scale_(scale) {}

WarningBox::~WarningBox() = default;

// No icon: the plain box with one OK button.
void WarningBox::RunModal() {
  SDL_ShowSimpleMessageBox(0, title_.c_str(), text_.c_str(), nullptr);
}

}  // namespace host::sdl
