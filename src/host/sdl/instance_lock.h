// One copy per user: an exclusive lock on a per-user file, held while the program runs. The
// kernel drops it when the process ends however it ends, so it is never stale after a crash.
#pragma once

#include <string>

namespace host::sdl {

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when another copy holds the lock. A lock that cannot be taken for any other reason (no
  // writable place, a planted file) lets this copy run, and says so in one line on stderr.
  bool HeldElsewhere();

  // $XDG_RUNTIME_DIR/quillmere.lock when that directory is the user's own and no one else can
  // write to it, else a per-user file in the temporary directory.
  static std::string LockPath();

 private:
  int fd_ = -1;            // the locked file, where files are locked
  void* mutex_ = nullptr;  // the named mutex, on Windows
};

}  // namespace host::sdl
