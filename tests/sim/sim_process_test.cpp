// quillmere-sim as a process: its output on good input, and one clear line and status 2 on bad.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct SimRun {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

SimRun Sim(const std::string& args, const std::string& input) {
  const std::string dir = testing::TempDir();
  const std::string base = dir + "qm_sim_" +
                           testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                           std::to_string(std::hash<std::string>{}(args + input));
  std::ofstream(base + ".in") << input;
  const char* other = std::getenv("QM_SIM");  // another build's simulator, as a shell command
  const std::string command = std::string(other ? other : QM_SIM_PATH) + " " + args + " < " + base +
                              ".in > " + base + ".out 2> " + base + ".err";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(base + ".out"), Slurp(base + ".err")};
}

const char* const kChainBoard =
    "# a chain of two steps\n"
    "score 100\n"
    "level 1\n"
    "......\n......\n......\n......\n......\n......\n......\n......\n......\n......\n"
    "2.....\n2.....\n233...\n";

TEST(SimResolve, PrintsTheBoardAndCountsAfterAChain) {
  const SimRun r = Sim("resolve", kChainBoard);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "......\n......\n......\n......\n......\n......\n......\n......\n......\n......\n"
            "......\n......\n.4....\n"
            "score 109\nlevel 1\ngroup 0\nresult 6\npasses 2\ngameover no\nelapsed_ms 1700\n");
}

TEST(SimLock, AGroupOfSevensThenTheEndOfTheGameAtTheEntry) {
  std::string board(12 * 7, '.');
  for (int row = 0; row < 12; ++row) board[row * 7 + 6] = '\n';
  const SimRun group = Sim("lock 2 11 8 1", board + "777...\n");
  EXPECT_EQ(group.status, 0) << group.err;
  EXPECT_NE(group.out.find("score 6\n"), std::string::npos) << group.out;
  EXPECT_NE(group.out.find("group 3\n"), std::string::npos);
  EXPECT_NE(group.out.find("elapsed_ms 2500\n"), std::string::npos);

  // A column full to row 1: the pair locks at its entry place and removes nothing.
  std::string full = "......\n";
  for (int row = 1; row <= 12; ++row) full += row % 2 ? "..2...\n" : "..3...\n";
  const SimRun over = Sim("lock 3 0 4 5", full);
  EXPECT_EQ(over.status, 0) << over.err;
  EXPECT_EQ(over.out.substr(0, 7), "..4...\n");  // the upper cell has nowhere to go
  EXPECT_NE(over.out.find("gameover yes\n"), std::string::npos);
}

TEST(SimPlay, TheSameScriptGivesTheSameTraceEveryTime) {
  const std::string script = "seed 42\nat 0 click\nat 7000 down 98\nuntil 90000\n";
  const SimRun a = Sim("play", script), b = Sim("play", script);
  EXPECT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out.find("0 start\n"), std::string::npos);
  EXPECT_NE(a.out.find(" gameover\n"), std::string::npos);
  EXPECT_NE(a.out.find("90000 end\n"), std::string::npos);
}

// Each fault: status 2, nothing on stdout, exactly one line on stderr naming where.
void ExpectRejected(const std::string& args, const std::string& input, const std::string& where) {
  SCOPED_TRACE(args + " <<< " + input);
  const SimRun r = Sim(args, input);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_NE(r.err.find(where), std::string::npos) << r.err;
}

std::string Rows(int count, const std::string& row = "......") {
  std::string s;
  for (int i = 0; i < count; ++i) s += row + "\n";
  return s;
}

TEST(SimErrors, PositionsOfTheWrongShapeOrOutOfRange) {
  ExpectRejected("resolve", Rows(12), "line 13");
  ExpectRejected("resolve", Rows(14), "line 14");
  ExpectRejected("resolve", Rows(5) + ".....\n" + Rows(7), "line 6");
  ExpectRejected("resolve", Rows(5) + "..8...\n" + Rows(7), "line 6");
  ExpectRejected("resolve", Rows(5) + "..x...\n" + Rows(7), "line 6");
  ExpectRejected("resolve", "score 32768\n" + Rows(13), "line 1");
  ExpectRejected("resolve", "level 4\n" + Rows(13), "line 1");
  ExpectRejected("resolve", "score 1\nscore 2\n" + Rows(13), "line 2");
  ExpectRejected("resolve", "\n# header\nlevel x\n" + Rows(13), "line 3");
}

TEST(SimErrors, ArgumentsAndSubcommands) {
  ExpectRejected("lock 0 5 2 3", Rows(13), "argument 1");
  ExpectRejected("lock 1 13 2 3", Rows(13), "argument 2");
  ExpectRejected("lock 1 5 9 3", Rows(13), "argument 3");
  ExpectRejected("lock 1 5 2 8", Rows(13), "argument 4");
  ExpectRejected("lock 1 5 2", Rows(13), "arguments");
  ExpectRejected("resolve extra", Rows(13), "argument 2");
  ExpectRejected("shuffle", "", "argument 1");
}

TEST(SimErrors, PlayScripts) {
  ExpectRejected("play", "at 0 click\n", "line 2");  // neither draws nor seed
  ExpectRejected("play", "seed 1\ndraws 2 3\n", "line 2");
  ExpectRejected("play", "draws 2 8\n", "line 1");
  ExpectRejected("play", "seed 1\nat 500 click\nat 400 click\n", "line 3");
  ExpectRejected("play", "seed 1\nat 0 down 256\n", "line 2");
  ExpectRejected("play", "seed 1\nat 0 jump\n", "line 2");
  ExpectRejected("play", "seed 1\nat -5 click\n", "line 2");
  ExpectRejected("play", "seed 1\nat 0 focus promo\n", "line 2");
  ExpectRejected("play", "seed 1\nuntil 10\nuntil 20\n", "line 3");
}

}  // namespace
