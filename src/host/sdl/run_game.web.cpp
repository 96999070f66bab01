// The program in a web page: the SDL host on the page's one canvas, with what a browser changes.
//
// - A wait awaits a promise (page.js) that the next SDL event or the next timer's due time
//   resolves, so the tab sleeps between events; SDL's own wait polls every 4 ms.
// - Keypad keys take Num Lock from the browser's KeyboardEvent.key ("4" with it, "ArrowLeft"
//   without), whatever SDL's own flag says: that starts off in a page and only flips on a press.
// - The promotional window is an element of the page beside the canvas, not a second SDL window
//   (every SDL window in a page is the one canvas); its keys, clicks and close box come back as
//   page events, delivered in the pumps like any input.
// - The canvas is drawn at the screen's whole density factor and shown at 320 x 400 CSS pixels.
// The order page opens with window.open (SDL_OpenURL's way in a page); the one-game rule is in
// instance_lock.web.cpp, the warning in message_box.web.cpp.
#include <SDL.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <iostream>
#include <string>
#include <utility>

#include "host/sdl/sdl_host.h"

namespace host::sdl {
namespace {

EM_ASYNC_JS(void, qm_sleep, (int ms), { await qmPage.sleep(ms); });
EM_JS(void, qm_wake, (), { qmPage.wake(); });
EM_JS(int, qm_num_lock, (), { return qmPage.numLock ? 1 : 0; });
EM_JS(int, qm_density, (), { return Math.floor(window.devicePixelRatio || 1); });
EM_JS(void, qm_show_promo,
      (const Uint8* pixels, int width, int height, int clientWidth, int clientHeight, int left,
       int top, const char* caption),
      {
        qmPage.showPromo(HEAPU8.subarray(pixels, pixels + width * height * 4), width, height,
                         clientWidth, clientHeight, left, top, UTF8ToString(caption));
      });
EM_JS(void, qm_ended, (), { qmPage.ended(); });

// As page.js sends them.
enum PageEvent { kPromoKey = 1, kPromoMouse = 2, kPromoClosed = 3 };

bool IsKeypadDigit(SDL_Keycode key) {
  return (key >= SDLK_KP_1 && key <= SDLK_KP_0) || key == SDLK_KP_PERIOD;
}

class PageHost final : public SdlHost {
 public:
  explicit PageHost(SdlOptions options) : SdlHost(std::move(options)) {
    current_ = this;
    SDL_AddEventWatch(&PageHost::Watch, nullptr);
  }
  ~PageHost() override {
    SDL_DelEventWatch(&PageHost::Watch, nullptr);
    current_ = nullptr;
  }
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  void DoEvents() override {
    DeliverPageEvents();
    SdlHost::DoEvents();
  }

  // Sleeps only once nothing is queued or due, checked again after the drawing (which yields
  // to the browser, and so may queue an event whose wake-up found nobody asleep).
  void WaitEvents() override {
    if (IdleMs() != 0) {
      Redraw();
      if (const int ms = IdleMs(); ms != 0) qm_sleep(ms);
    }
    DoEvents();
  }

  static void Queue(int kind) {
    if (!current_) return;
    current_->pageEvents_.push_back(kind);
    qm_wake();
  }

 protected:
  void PromoShown() override {
    const ui::FrmCM& promo = game().frmCM;
    const ui::Form1& main = game().form1;
    const SurfacePtr picture = DecodePicture(*promo.picture);
    const SurfacePtr rgba(SDL_ConvertSurfaceFormat(picture.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) return;
    // Beside the canvas where the desktop places the window beside the main window.
    const auto pixels = [](double twips) {
      return static_cast<int>(std::lround(twips / kTwipsPerPixel));
    };
    qm_show_promo(static_cast<const Uint8*>(rgba->pixels), rgba->w, rgba->h, promo.scaleWidth(),
                  promo.scaleHeight(), pixels(promo.left() - main.left()),
                  pixels(promo.top() - main.top()), promo.caption().c_str());
  }

 private:
  // 0 when something can be delivered now; else how long to sleep (-1: until an event).
  int IdleMs() {
    if (!pageEvents_.empty() || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return 0;
    const std::optional<ui::Millis> due = NextTimerDue();
    if (!due) return -1;
    return static_cast<int>(std::clamp<ui::Millis>(*due - NowMs(), 0, 1 << 30));
  }

  void DeliverPageEvents() {
    while (!pageEvents_.empty()) {
      const int kind = pageEvents_.front();
      pageEvents_.pop_front();
      switch (kind) {
        case kPromoKey:
          FocusPromo();
          KeyDown(0);  // the promotional window's handler reads no key code
          break;
        case kPromoMouse:
          PromoMouseDown();
          break;
        case kPromoClosed:
          if (game().frmCM.visible()) game().frmCM.Hide();
          FocusMain();
          break;
        default:
          break;
      }
    }
  }

  // Runs as SDL queues each event, inside the browser's own handler: Num Lock from that very
  // key event, and the sleeping wait woken.
  static int Watch(void* /*data*/, SDL_Event* event) {
    if (event->type == SDL_KEYDOWN || event->type == SDL_KEYUP) {
      SDL_Keysym& key = event->key.keysym;
      if (IsKeypadDigit(key.sym)) {
        key.mod =
            static_cast<Uint16>(qm_num_lock() != 0 ? key.mod | KMOD_NUM : key.mod & ~KMOD_NUM);
      }
    }
    qm_wake();
    return 0;
  }

  static PageHost* current_;
  std::deque<int> pageEvents_;
};

PageHost* PageHost::current_ = nullptr;

}  // namespace

bool StartVideo(std::string& error) {
  SDL_SetMainReady();
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_APP_NAME, "Quillmere");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot start SDL's video in the page: ") + SDL_GetError();
    return false;
  }
  SDL_StopTextInput();  // so that SDL keeps the keys from scrolling the page
  return true;
}

// Closing the tab ends the game with the page; a program that ends by itself (the second tab,
// after its warning) says so in the page.
int RunGame() {
  std::string error;
  if (!StartVideo(error)) {
    std::cerr << "quillmere: " << error << '\n';
    return 1;
  }
  try {
    SdlOptions options;
    options.scale = std::clamp(qm_density(), 1, 4);
    PageHost host(std::move(options));
    host.Run();
  } catch (const ui::ProgramEnded&) {
    qm_ended();
  }
  return 0;
}

}  // namespace host::sdl

// page.js hands the promotional element's keys, clicks and close box to the game.
extern "C" EMSCRIPTEN_KEEPALIVE void qm_page_event(int kind) {
  host::sdl::PageHost::Queue(kind);
}
