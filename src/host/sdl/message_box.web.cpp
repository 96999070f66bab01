// The single-instance warning in a page: an element of the page drawn by the browser in its own
// Japanese face (page.js), not a second SDL window, which would take over the game's canvas.
#include <emscripten.h>

#include "host/sdl/message_box.h"

namespace host::sdl {
namespace {

EM_ASYNC_JS(void, qm_warn, (const char* text, const char* title, const char* ok),
            { await qmPage.warn(UTF8ToString(text), UTF8ToString(title), UTF8ToString(ok)); });

}  // namespace

WarningBox::WarningBox(std::string_view text, std::string_view title, int scale)
    : text_(text), title_(title), scale_(scale) {}

WarningBox::~WarningBox() = default;

void WarningBox::RunModal() {
  qm_warn(text_.c_str(), title_.c_str(), std::string(kOkCaption).c_str());
}

void WarningBox::Paint() {}

}  // namespace host::sdl
