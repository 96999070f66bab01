// One copy per user on Windows: a named mutex.
#include <windows.h>

#include "host/sdl/instance_lock.h"

namespace host::sdl {

std::string InstanceLock::LockPath() {
  return "Local\\Quillmere";
}

InstanceLock::~InstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

// A mutex in the session's namespace: one copy per user, released by the system at any end.
bool InstanceLock::HeldElsewhere() {
  if (mutex_) return false;
  HANDLE mutex = CreateMutexA(nullptr, FALSE, LockPath().c_str());
  if (!mutex) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return true;
  }
  mutex_ = mutex;
  return false;
}

}  // namespace host::sdl
