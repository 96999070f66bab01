// quillmere-sim as a process: its output on good input, one clear line and status 2 on bad
// input, one line and status 1 when the system fails it, and the command line.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/version.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

struct SimRun {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Scratch(const std::string& key) {
  return testing::TempDir() + "qm_sim_" +
         testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
         std::to_string(std::hash<std::string>{}(key));
}

int StatusOf(int raw) {
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs `command` in the shell with `input` on its standard input. In the command $SIM is the
// simulator; a command that does not name it is the simulator's arguments. Endless inputs are
// cut off by a time limit, so that a fault shows as a failure rather than a hang.
SimRun Shell(std::string command, const std::string& input) {
  if (command.find("$SIM") == std::string::npos) command = "$SIM " + command;
  const std::string base = Scratch(command + input);
  std::ofstream(base + ".in", std::ios::binary) << input;
  const char* other = std::getenv("QM_SIM");  // another build's simulator, as a shell command
  const std::string line = "SIM=" + Quoted(other ? other : QM_SIM_PATH) + "; { " + command +
                           "; } < " + base + ".in > " + base + ".out 2> " + base + ".err";
  const int raw = std::system(("timeout 120 sh -c " + Quoted(line)).c_str());
  return {StatusOf(raw), Slurp(base + ".out"), Slurp(base + ".err")};
}

SimRun Sim(const std::string& args, const std::string& input) {
  return Shell(args, input);
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
  EXPECT_NE(group.out.find("gameover no\n"), std::string::npos);
  const std::string still = board + "2....3\n";  // no run: every column as it was
  EXPECT_EQ(Sim("resolve", still).out.substr(0, still.size()), still);

  // A column full to row 1: the pair locks at its entry place and removes nothing.
  std::string full = "......\n";
  for (int row = 1; row <= 12; ++row) full += row % 2 ? "..2...\n" : "..3...\n";
  const SimRun over = Sim("lock 3 0 4 5", full);
  EXPECT_EQ(over.status, 0) << over.err;
  EXPECT_EQ(over.out.substr(0, 7), "..4...\n");  // the upper cell has nowhere to go
  EXPECT_NE(over.out.find("gameover yes\n"), std::string::npos);
}

TEST(SimPlay, TheSameScriptGivesTheSameTraceEveryTime) {
  const std::string script =
      "seed 42\nat 0 click\nat 7000 down 98\nat 80000 promoclick\nat 81000 focus main\n"
      "at 90000 close\nuntil 95000\n";
  const SimRun a = Sim("play", script), b = Sim("play", script);
  EXPECT_EQ(a.status, 0) << a.err;
  EXPECT_EQ(a.out, b.out);
  EXPECT_NE(a.out.find("0 start\n"), std::string::npos);
  EXPECT_NE(a.out.find(" gameover\n"), std::string::npos);
  EXPECT_NE(a.out.find("90000 end\n"), std::string::npos);
}

TEST(SimPlay, KeypadTwoDropsFastAndBeforeAnyGameTheBoardHoldsZeros) {
  const SimRun fast = Sim("play", "draws 2 3 4 5 6 7\nat 0 click\nat 600 down 98\nuntil 1000\n");
  EXPECT_NE(fast.out.find("\n970 lock 3 12 2 3\n"), std::string::npos) << fast.out;
  const SimRun idle = Sim("play", "draws 2\nat 100 down 98\nat 200 up 98\nuntil 1000\n");
  std::string expected = "1000 end\n";
  for (int row = 0; row < 13; ++row) expected += "000000\n";
  EXPECT_EQ(idle.out, expected);
}

std::string Rows(int count, const std::string& row = "......") {
  std::string s;
  for (int i = 0; i < count; ++i) s += row + "\n";
  return s;
}

const std::string kScript = "seed 1\nat 0 click\nuntil 20000\n";
const std::string kPosition = "score 7\n" + Rows(10) + "2.....\n2.....\n233...\n";

// Inputs written in other ways that mean the same: the same output as the plain one.
struct Alike {
  const char* args;
  std::string input, plain;
};

const Alike kAlike[] = {
    // Other white space: on a line of its own it is a blank line, within a line it separates.
    {"play", "seed 1\n\v\nat 0 click\nuntil 20000\n", kScript},
    {"play", "seed 1\r\n\r\r\nat 0 click\r\nuntil 20000\r\n", kScript},
    {"play", "seed\t1\nat 0\tclick \t\nuntil\v20000\f\n", kScript},
    {"play", " \t\n# a comment\nseed 1\n\nat 0 click\n#\nuntil 20000", kScript},
    // A byte-order mark first, CRLF line ends, or both.
    {"play", "\xEF\xBB\xBF" + kScript, kScript},
    {"resolve", "\xEF\xBB\xBF" + kPosition, kPosition},
    {"resolve", "\xEF\xBB\xBF\r\nscore 7\r\n" + Rows(10, "......\r") + "2.....\r\n2.....\r\n233...",
     kPosition},
    {"lock 1 9 3 3", "\xEF\xBB\xBFscore\t7\v\n" + Rows(10) + "2.....\n2.....\n233...\n", kPosition},
};

TEST(SimInput, OtherWhiteSpaceByteOrderMarkAndCrlfMeanTheSame) {
  for (const Alike& alike : kAlike) {
    SCOPED_TRACE(std::string(alike.args) + " <<< " + alike.input);
    const SimRun plain = Sim(alike.args, alike.plain), other = Sim(alike.args, alike.input);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.err, "");
    EXPECT_EQ(other.out, plain.out);
  }
}

// A run that must fail: its status, nothing on stdout, and exactly this one line on stderr.
struct Refused {
  std::string command;  // the simulator's arguments, or a shell command naming $SIM
  std::string input;
  int status;
  std::string line;        // without "quillmere-sim: " and the newline
  bool plainOnly = false;  // memory limits, which the sanitizers' shadow memory cannot live under
};

const std::string kMegabyteWord(1000000, 'x');

const Refused kRefused[] = {
    // Positions of the wrong shape or out of range.
    {"resolve", Rows(12), 2, "line 13: the board has 12 rows, expected 13"},
    {"resolve", Rows(14), 2, "line 14: unexpected line after the 13 board rows"},
    {"resolve", Rows(5) + ".....\n" + Rows(7), 2,
     "line 6: a board row must be exactly 6 characters, got 5"},
    {"resolve", Rows(5) + "..8...\n" + Rows(7), 2,
     "line 6: cell '8' in column 3 is not '.' or 2 to 7"},
    {"resolve", "score 32768\n" + Rows(13), 2, "line 1: score 32768 is out of range 0 to 32767"},
    {"resolve", "level 4\n" + Rows(13), 2, "line 1: level 4 is out of range 0 to 3"},
    {"resolve", "score 1\nscore 2\n" + Rows(13), 2, "line 2: score is given twice"},
    {"resolve", "\n# header\nlevel x\n" + Rows(13), 2,
     "line 3: level must be a whole number, got 'x'"},
    {"resolve", "score 1 2\n" + Rows(13), 2, "line 1: expected 'score N' or 'level N'"},
    {"resolve", "score 5x\n" + Rows(13), 2, "line 1: score must be a whole number, got '5x'"},
    {"resolve", Rows(13, "......\r\r"), 2,
     "line 1: a board row must be exactly 6 characters, got 7"},
    // Scripts.
    {"play", "at 0 click\n", 2, "line 2: the script gives neither draws nor seed"},
    {"play", "seed 1\ndraws 2 3\n", 2, "line 2: draws and seed cannot both be given"},
    {"play", "seed 1\nseed 2\n", 2, "line 2: seed cannot be given twice or together with draws"},
    {"play", "draws 2\nseed 1\n", 2, "line 2: seed cannot be given twice or together with draws"},
    {"play", "draws 2 8\n", 2, "line 1: kind 8 is out of range 2 to 7"},
    {"play", "seed 1\nat 500 click\nat 400 click\n", 2,
     "line 3: time 400 is earlier than the line before"},
    {"play", "seed 1\nat 0 down 256\n", 2, "line 2: key code 256 is out of range 0 to 255"},
    {"play", "seed 1\nat 0 jump\n", 2, "line 2: unknown event 'jump'"},
    {"play", "seed 1\nat -5 click\n", 2, "line 2: time -5 is out of range 0 to 1000000000000"},
    {"play", "seed 1\nat 0 focus promo\n", 2, "line 2: only 'focus main' is known"},
    {"play", "seed 1\nuntil 10\nuntil 20\n", 2, "line 3: until is given twice"},
    {"play",
     "seed 1\n\xEF\xBB\xBF"
     "at 0 click\n",
     2, "line 2: unknown line '\\xef\\xbb\\xbfat'"},
    // Numbers past 64 bits are out of range too, and say which range.
    {"play", "seed 1\nat 9223372036854775808 click\n", 2,
     "line 2: time 9223372036854775808 is out of range 0 to 1000000000000"},
    {"play", "seed 4294967296\n", 2, "line 1: seed 4294967296 is out of range 0 to 4294967295"},
    // Words are shown escaped and cut short, never as they came.
    {"play", "seed 1\nat 0 \033]0;owned\007\n", 2, "line 2: unknown event '\\x1b]0;owned\\x07'"},
    {"play", "seed 1\nat 0 " + kMegabyteWord + "\n", 2,
     "line 2: unknown event '" + kMegabyteWord.substr(0, 48) + "...'"},
    {"play", "seed 1\n\xff\xc3\xa9t\xc3\xa9\xc2\x9b\xe2\x80\xae\\\n", 2,
     "line 2: unknown line '\\xff\xc3\xa9t\xc3\xa9\\xc2\\x9b\\xe2\\x80\\xae\\\\'"},
    {"resolve", Rows(5) + "..\033...\n" + Rows(7), 2,
     "line 6: cell '\\x1b' in column 3 is not '.' or 2 to 7"},
    {"\"$(printf '\\033[2J')\"", "", 2, "argument 1: unknown subcommand '\\x1b[2J'"},
    // An endless input is refused at its first line too many, or too long.
    {"yes ...... | $SIM resolve", "", 2, "line 14: unexpected line after the 13 board rows"},
    {"yes | tr -d '\\n' | $SIM play", "", 2, "line 1: the line is longer than 1048576 bytes"},
    // Memory that runs out is one line, never an abort.
    {"ulimit -v 200000; yes 'draws 2 3 4 5 6 7' | $SIM play", "", 1, "out of memory", true},
    // Output that cannot be written, input that cannot be read.
    {"play > /dev/full", kScript, 1, "cannot write the output: No space left on device"},
    {"play < /", "", 1, "cannot read the input: Is a directory"},
    {"--help > /dev/full", "", 1, "cannot write the output: No space left on device"},
    // The command line: arguments are numbered by their place on it.
    {"lock 0 5 2 3", Rows(13), 2, "argument 2: COL 0 is out of range 1 to 6"},
    {"lock 1 5 2 8", Rows(13), 2, "argument 5: UPPER 8 is out of range 1 to 7"},
    {"lock 1 5 2", Rows(13), 2, "arguments: lock takes COL ROW LOWER UPPER, got 3 arguments"},
    {"resolve extra", Rows(13), 2, "argument 2: resolve takes no arguments"},
    {"-- play extra", kScript, 2, "argument 3: play takes no arguments"},
    {"shuffle", "", 2, "argument 1: unknown subcommand 'shuffle'"},
    {"--frob play", "", 2, "argument 1: unknown option '--frob'; see 'quillmere-sim --help'"},
    {"-x", "", 2, "argument 1: unknown option '-x'; see 'quillmere-sim --help'"},
    {"", "", 2, "usage: quillmere-sim resolve | lock COL ROW LOWER UPPER | play"},
};

TEST(SimFaults, EachGivesItsStatusNoOutputAndOneLine) {
  for (const Refused& fault : kRefused) {
    SCOPED_TRACE(fault.command + " <<< " + fault.input.substr(0, 80));
    if (fault.plainOnly && kSanitized) continue;
    const SimRun r = Shell(fault.command, fault.input);
    EXPECT_EQ(r.status, fault.status);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quillmere-sim: " + fault.line + "\n");
  }
}

// Line numbers past 2^31 stay right: 2^31 + 2 empty lines, then a bad one.
TEST(SimFaults, LineNumbersCountPastTwoToTheThirtyOne) {
  const std::string base = Scratch("lines");
  const std::string command =
      std::string(QM_SIM_PATH) + " play > " + base + ".out 2> " + base + ".err";
  std::signal(SIGPIPE, SIG_IGN);
  FILE* pipe = popen(command.c_str(), "w");
  ASSERT_NE(pipe, nullptr);
  const std::string block(1 << 20, '\n');
  const long long lines = (1LL << 31) + 2;
  bool written = true;
  for (long long left = lines; left > 0 && written; left -= static_cast<long long>(block.size())) {
    const std::size_t size =
        left < static_cast<long long>(block.size()) ? static_cast<std::size_t>(left) : block.size();
    written = std::fwrite(block.data(), 1, size, pipe) == size;
  }
  std::fputs("bogus\n", pipe);
  EXPECT_TRUE(written);
  EXPECT_EQ(StatusOf(pclose(pipe)), 2);
  EXPECT_EQ(Slurp(base + ".err"), "quillmere-sim: line 2147483651: unknown line 'bogus'\n");
}

// A script of a million lines holds what the session needs, not the text of its lines.
TEST(SimFaults, AMillionLineScriptStaysSmall) {
  if (kSanitized) GTEST_SKIP() << "the sanitizers' own memory hides the reader's";
  const std::string path = Scratch("million") + ".in";
  {
    std::ofstream script(path);
    script << "seed 1\nuntil 0\n";
    for (int i = 0; i < 1000000; ++i) script << "at 1 focus main\n";
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!std::freopen(path.c_str(), "r", stdin) || !std::freopen("/dev/null", "w", stdout))
      _exit(99);
    execl(QM_SIM_PATH, QM_SIM_PATH, "play", static_cast<char*>(nullptr));
    _exit(98);
  }
  int status = 0;
  rusage usage{};
  ASSERT_EQ(wait4(child, &status, 0, &usage), child);
  EXPECT_EQ(StatusOf(status), 0);
  EXPECT_LT(usage.ru_maxrss, 40 * 1024) << "peak resident kilobytes";
}

TEST(SimCommandLine, HelpAndVersionGoToStdout) {
  const SimRun help = Sim("--help", "");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: quillmere-sim resolve < POSITION\n", 0), 0U) << help.out;
  EXPECT_NE(help.out.find("--version"), std::string::npos);
  const SimRun version = Sim("--version play", "");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_EQ(version.out, "quillmere-sim (Quillmere) " QM_VERSION "\n");
}

}  // namespace
