// `quillmere-sim play` in process: one script, one trace and board, on every run.
#include <gtest/gtest.h>

#include <sstream>

#include "sim/script.h"

namespace {

// A long game steered by keys of every kind: two springs with their special pairs, inputs that
// must be ignored while it runs, and its end with the promotional window.
std::string ScriptText(int seed) {
  std::ostringstream text;
  text << "seed " << seed << "\nat 0 click\n";
  for (int t = 600, i = 0; t < 60000; t += 170, ++i) {
    static const int kKeys[] = {100, 101, 102, 101, 98, 100, 102, 102};
    const int key = kKeys[i % 8];
    text << "at " << t << " down " << key << "\nat " << t + 40 << " up " << key << '\n';
  }
  text << "at 60000 promoclick\nat 61000 focus main\nat 61000 down 13\nuntil 95000\n";
  return text.str();
}

std::string Play(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out;
  sim::RunPlay(sim::ParseScript(in), out);
  return out.str();
}

TEST(Play, SameScriptSameTraceAndBoard) {
  const std::string first = Play(ScriptText(7));
  EXPECT_EQ(Play(ScriptText(7)), first);
  EXPECT_NE(Play(ScriptText(8)), first);  // the seed does reach the game
  EXPECT_NE(first.find(" lock "), std::string::npos);
  EXPECT_NE(first.find("95000 end\n"), std::string::npos);
  // The trace ends with the 13 rows of the board.
  std::istringstream lines(first);
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_GE(all.size(), 14U);
  EXPECT_EQ(all[all.size() - 14], "95000 end");
  for (std::size_t i = all.size() - 13; i < all.size(); ++i) EXPECT_EQ(all[i].size(), 6U);
}

TEST(Play, BoardBeforeAnyGameIsAllZero) {
  const std::string out = Play("draws 2\nat 100 down 98\nat 200 up 98\nuntil 1000\n");
  std::string expected = "1000 end\n";
  for (int row = 0; row < 13; ++row) expected += "000000\n";
  EXPECT_EQ(out, expected);
}

}  // namespace
