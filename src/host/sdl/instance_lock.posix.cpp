// One copy per user on POSIX systems: an exclusive lock on a per-user file.
#include "host/sdl/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace host::sdl {
namespace {

// Only a directory that no one else can write to keeps others from replacing our lock.
bool IsPrivateDirectory(const char* path) {
  struct stat info {};
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
         (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The reason why the file open as `fd` cannot serve as our lock; empty when it can.
std::string Unfit(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0) return std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return "it is not a plain file";
  if (info.st_uid != getuid()) return "it belongs to another user";
  if (info.st_nlink != 1) return "it has other names";
  return {};
}

}  // namespace

std::string InstanceLock::LockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/' && IsPrivateDirectory(runtime)) {
    return std::string(runtime) + "/quillmere.lock";
  }
  const char* tmp = std::getenv("TMPDIR");
  const std::string dir = tmp && tmp[0] == '/' ? tmp : "/tmp";
  return dir + "/quillmere-" + std::to_string(getuid()) + ".lock";
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool InstanceLock::HeldElsewhere() {
  if (fd_ >= 0) return false;
  const std::string path = LockPath();
  // Close-on-exec keeps a browser started from the game from holding the lock after we end;
  // no-follow keeps a planted link in a shared directory from aiming us at another file, and
  // non-blocking a planted pipe from holding us up.
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  std::string unfit =
      fd < 0 ? (errno == ELOOP ? "it is a symbolic link" : std::strerror(errno)) : Unfit(fd);
  if (unfit.empty() && flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) {
      close(fd);
      return true;
    }
    unfit = std::strerror(errno);
  }
  if (!unfit.empty()) {
    if (fd >= 0) close(fd);
    std::cerr << "quillmere: cannot take the one-copy lock " << path << ": " << unfit
              << "; starting without it\n";
    return false;
  }
  fd_ = fd;
  return false;
}

}  // namespace host::sdl
