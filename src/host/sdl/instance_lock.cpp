#include "host/sdl/instance_lock.h"

#include <cerrno>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace host::sdl {

std::string InstanceLock::LockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/quillmere.lock";
#ifdef _WIN32
  return {};
#else
  const char* tmp = std::getenv("TMPDIR");
  const std::string dir = tmp && tmp[0] == '/' ? tmp : "/tmp";
  return dir + "/quillmere-" + std::to_string(getuid()) + ".lock";
#endif
}

#ifdef _WIN32

InstanceLock::~InstanceLock() {
  if (mutex_) CloseHandle(mutex_);
}

// A mutex in the session's namespace: one copy per user, released by the system at any end.
bool InstanceLock::HeldElsewhere() {
  if (mutex_) return false;
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Local\\Quillmere");
  if (!mutex) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return true;
  }
  mutex_ = mutex;
  return false;
}

#else

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool InstanceLock::HeldElsewhere() {
  if (fd_ >= 0) return false;
  // Close-on-exec keeps a browser started from the game from holding the lock after we end;
  // no-follow keeps a planted link in a shared directory from aiming us at another file.
  const int fd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || info.st_uid != getuid()) {
    close(fd);
    return false;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    close(fd);
    return busy;
  }
  fd_ = fd;
  return false;
}

#endif

}  // namespace host::sdl
