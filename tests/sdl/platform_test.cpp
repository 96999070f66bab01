// The host's services to the game: the copy lock, the display's scale, the warning box.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "flow/startup.h"
#include "host/sdl/glyph_atlas.h"
#include "host/sdl/instance_lock.h"
#include "host/sdl/message_box.h"
#include "host/sdl/sdl_host.h"
#include "sdl_fixture.h"

namespace host::sdl {
namespace {

TEST(InstanceLock, SecondHolderSeesTheFirstUntilItEnds) {
  std::filesystem::remove(InstanceLock::LockPath());
  auto first = std::make_unique<InstanceLock>();
  EXPECT_FALSE(first->HeldElsewhere());
  {
    InstanceLock second;
    EXPECT_TRUE(second.HeldElsewhere());
  }
  first.reset();
  InstanceLock third;
  EXPECT_FALSE(third.HeldElsewhere());
}

TEST(InstanceLock, LivesInTheUsersRuntimeDirectoryWithOwnerOnlyAccess) {
  const std::string path = InstanceLock::LockPath();
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  ASSERT_NE(runtime, nullptr);
  EXPECT_EQ(path, std::string(runtime) + "/quillmere.lock");
  InstanceLock lock;
  lock.HeldElsewhere();
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// A runtime directory that others could write to is not trusted: the lock goes to TMPDIR, and
// there anything planted where the lock goes is refused, said in one line, and the game runs.
TEST(InstanceLock, UnsafePlacesAreRefusedAndSaidSo) {
  namespace fs = std::filesystem;
  const std::string runtime = std::getenv("XDG_RUNTIME_DIR");
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
  fs::permissions(runtime, fs::perms::others_write, fs::perm_options::remove);
  unsetenv("TMPDIR");
  fs::remove_all(tmp);
}

TEST(DesignScale, WholeFactorsFromTheDisplaysDensity) {
  EXPECT_EQ(DesignScale(96, 1080), 1);
  EXPECT_EQ(DesignScale(120, 1080), 1);
  EXPECT_EQ(DesignScale(144, 1080), 1);
  EXPECT_EQ(DesignScale(192, 2160), 2);
  EXPECT_EQ(DesignScale(288, 2160), 3);
  EXPECT_EQ(DesignScale(0, 1080), 1);
}

TEST(DesignScale, NeverLargerThanTheScreenHolds) {
  EXPECT_EQ(DesignScale(192, 768), 1);
  EXPECT_EQ(DesignScale(288, 1080), 2);
}

TEST(SdlHostScreen, TwipsFollowTheDisplayInDesignPixels) {
  SDL_Rect bounds{};
  SDL_GetDisplayBounds(0, &bounds);
  SdlHost host(SdlOptions{2, {}});
  const ui::ScreenMetrics screen = host.Screen();
  EXPECT_EQ(screen.twipsPerPixelX, 15);
  EXPECT_EQ(screen.widthTwips, bounds.w / 2 * 15);
  EXPECT_EQ(screen.heightTwips, bounds.h / 2 * 15);
}

class WarningBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (NoticeGlyphs().glyphs.empty()) GTEST_SKIP() << "built without a Japanese font";
  }

  WarningBox box_{ui::kAlreadyRunningText, ui::kAlreadyRunningTitle, 1};
};

TEST_F(WarningBoxTest, ShowsTheTextAndAnOkButton) {
  ASSERT_NE(box_.window(), nullptr);
  EXPECT_STREQ(SDL_GetWindowTitle(box_.window()), "警告");
  box_.Paint();
  const SDL_Rect ok = box_.okButton();
  const SDL_Rect inner{ok.x + 2, ok.y + 2, ok.w - 4, ok.h - 4};  // inside the blue edge
  int w = 0, h = 0;
  SDL_GetWindowSize(box_.window(), &w, &h);
  const SDL_Rect text{0, 0, w, box_.okButton().y};
  EXPECT_GT(qmtest::CountDark(box_.window(), text), 200);
  EXPECT_GT(qmtest::CountDark(box_.window(), inner), 20) << "OK";
}

TEST_F(WarningBoxTest, EnterClosesIt) {
  ASSERT_NE(box_.window(), nullptr);
  SDL_Event enter = qmtest::KeyEvent(box_.window(), SDL_KEYDOWN, SDLK_RETURN);
  SDL_PushEvent(&enter);
  box_.RunModal();
  EXPECT_FALSE(SDL_GetWindowFlags(box_.window()) & SDL_WINDOW_SHOWN);
}

TEST_F(WarningBoxTest, AClickOnOkClosesIt) {
  ASSERT_NE(box_.window(), nullptr);
  const SDL_Rect ok = box_.okButton();
  SDL_Event down = qmtest::MouseEvent(box_.window(), SDL_MOUSEBUTTONDOWN, ok.x + 5, ok.y + 5);
  SDL_Event up = qmtest::MouseEvent(box_.window(), SDL_MOUSEBUTTONUP, ok.x + 5, ok.y + 5);
  SDL_PushEvent(&down);
  SDL_PushEvent(&up);
  box_.RunModal();
  EXPECT_FALSE(SDL_GetWindowFlags(box_.window()) & SDL_WINDOW_SHOWN);
}

}  // namespace
}  // namespace host::sdl
