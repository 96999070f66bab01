// What the window's tests under Xvfb cannot provoke: a lock file planted as a link.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host/sdl/instance_lock.h"

namespace fs = std::filesystem;

TEST(InstanceLock, HeldUntilItsHolderEndsOwnerOnlyAndNeverThroughAPlantedLink) {
  std::string dir = (fs::temp_directory_path() / "qm-lock-XXXXXX").string();
  setenv("XDG_RUNTIME_DIR", mkdtemp(dir.data()), 1);  // this process's own
  const std::string path = host::sdl::InstanceLock::LockPath();
  auto first = std::make_unique<host::sdl::InstanceLock>();
  EXPECT_FALSE(first->HeldElsewhere());
  EXPECT_TRUE(host::sdl::InstanceLock().HeldElsewhere());
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  first.reset();
  EXPECT_FALSE(host::sdl::InstanceLock().HeldElsewhere());
  fs::remove(path);
  fs::create_symlink(dir + "/victim", path);
  EXPECT_FALSE(host::sdl::InstanceLock().HeldElsewhere()) << "a lock it cannot take lets it run";
  EXPECT_FALSE(fs::exists(dir + "/victim"));
  fs::remove_all(dir);
}
