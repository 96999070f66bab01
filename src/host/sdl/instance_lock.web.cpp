// One game per browser profile: the page holds a Web Lock while it runs (page.js), which the
// browser drops when the tab closes however it closes.
#include <emscripten.h>

// The class's mutex_ is Windows's; a page holds its lock by name alone.
#pragma clang diagnostic ignored "-Wunused-private-field"
#include "host/sdl/instance_lock.h"

namespace host::sdl {
namespace {

EM_ASYNC_JS(int, qm_lock_held_elsewhere, (const char* name),
            { return await qmPage.lockHeldElsewhere(UTF8ToString(name)); });

}  // namespace

// The lock's name, in the page's origin.
std::string InstanceLock::LockPath() {
  return "quillmere";
}

// Nothing to release: the browser drops the lock with the tab.
InstanceLock::~InstanceLock() {}

bool InstanceLock::HeldElsewhere() {
  if (fd_ >= 0) return false;  // ours already
  if (qm_lock_held_elsewhere(LockPath().c_str()) != 0) return true;
  fd_ = 0;
  return false;
}

}  // namespace host::sdl
