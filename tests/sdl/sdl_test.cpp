// What the window's tests under Xvfb cannot provoke: the one-copy lock's unsafe places.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "host/sdl/instance_lock.h"

namespace fs = std::filesystem;
using host::sdl::InstanceLock;

namespace {

// A runtime directory of this process's own, as a session's is.
std::string OwnRuntimeDirectory() {
  std::string dir = (fs::temp_directory_path() / "qm-lock-XXXXXX").string();
  setenv("XDG_RUNTIME_DIR", mkdtemp(dir.data()), 1);
  return dir;
}

}  // namespace

TEST(InstanceLock, HeldUntilItsHolderEndsWithOwnerOnlyAccess) {
  const std::string dir = OwnRuntimeDirectory();
  const std::string path = InstanceLock::LockPath();
  auto first = std::make_unique<InstanceLock>();
  EXPECT_FALSE(first->HeldElsewhere());
  EXPECT_TRUE(InstanceLock().HeldElsewhere());
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  first.reset();
  EXPECT_FALSE(InstanceLock().HeldElsewhere());
  fs::remove_all(dir);
}

// A runtime directory that others could write to is not trusted: the lock goes to TMPDIR, and
// there anything planted where the lock goes is refused, said in one line, and the game runs.
TEST(InstanceLock, UnsafePlacesAreRefusedAndSaidSo) {
  const std::string runtime = OwnRuntimeDirectory();
  const fs::path tmp = fs::path(runtime) / "tmp";
  fs::create_directory(tmp);
  setenv("TMPDIR", tmp.c_str(), 1);
  fs::permissions(runtime, fs::perms::others_write, fs::perm_options::add);
  const std::string path = InstanceLock::LockPath();
  EXPECT_EQ(path, (tmp / ("quillmere-" + std::to_string(getuid()) + ".lock")).string());

  const fs::path victim = tmp / "victim";
  const std::function<void()> plants[] = {
      [&] { fs::create_symlink(victim, path); },
      [&] { fs::create_directory(path); },
      [&] { std::ofstream(victim.string()) << "x", fs::create_hard_link(victim, path); },
      [&] { setenv("TMPDIR", (tmp / "missing").c_str(), 1); },
  };
  for (const auto& plant : plants) {
    plant();
    testing::internal::CaptureStderr();
    InstanceLock lock;
    EXPECT_FALSE(lock.HeldElsewhere()) << "a lock it cannot take lets the game run";
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("quillmere: cannot take the one-copy lock ", 0), 0U) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_FALSE(fs::exists(victim) && fs::file_size(victim) != 1) << "the link was followed";
    fs::remove_all(path);
    fs::remove(victim);
  }
  unsetenv("TMPDIR");
  fs::remove_all(runtime);
}
