// One copy per user on POSIX systems: an exclusive lock on a per-user file.
#include "host/sdl/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace host::sdl {

std::string InstanceLock::LockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return std::string(runtime) + "/quillmere.lock";
  const char* tmp = std::getenv("TMPDIR");
  const std::string dir = tmp && tmp[0] == '/' ? tmp : "/tmp";
  return dir + "/quillmere-" + std::to_string(getuid()) + ".lock";
}

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

}  // namespace host::sdl
