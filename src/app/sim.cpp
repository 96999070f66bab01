// quillmere-sim: the game's own code on a virtual clock, driven from standard input.
//
// Exit status: 0 done; 1 the system failed us (the input could not be read, the output could
// not be written, memory ran out); 2 bad input or a bad command line. Every failure is one line
// on standard error; bad input leaves standard output empty, since the whole input is read and
// checked before the first byte of output.
#include <cstdio>
#include <exception>
#include <istream>
#include <new>
#include <ostream>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/version.h"
#include "sim/input_error.h"
#include "sim/position.h"
#include "sim/script.h"
#include "sim/streams.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadInput = 2;

constexpr const char* kUsage =
    "quillmere-sim: usage: quillmere-sim resolve | lock COL ROW LOWER UPPER | play\n";

constexpr const char* kHelp =
    "Usage: quillmere-sim resolve < POSITION\n"
    "  or:  quillmere-sim lock COL ROW LOWER UPPER < POSITION\n"
    "  or:  quillmere-sim play < SCRIPT\n"
    "Runs the game's own code on a virtual clock: reads standard input, writes standard output.\n"
    "\n"
    "  resolve    chain resolution on the position as it stands\n"
    "  lock       the handling of a pair that locks with its lower cell at column COL (1 to 6),\n"
    "             row ROW (0 to 12); LOWER 2 to 8, UPPER 1 to 7 (the special pair is 8 1)\n"
    "  play       a whole session of the windowed game against a script of timed inputs\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Exit status: 0 done, 1 the input could not be read or the output written (or memory ran\n"
    "out), 2 bad input; the reason is one line on standard error.\n";

void Fail(const std::string& what) {
  std::fprintf(stderr, "quillmere-sim: %s\n", what.c_str());
}

// Reads and checks all of the input, then runs and writes to `out`.
void Run(const std::vector<std::string>& args, int firstPosition, std::istream& in,
         std::ostream& out) {
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "resolve") {
    if (!rest.empty()) {
      throw sim::InputError(sim::ArgumentName(firstPosition + 1), "resolve takes no arguments");
    }
    sim::PrintReport(out, sim::RunResolve(sim::ParsePosition(in)));
  } else if (command == "lock") {
    const sim::LockArgs lock = sim::ParseLockArgs(rest, firstPosition + 1);
    sim::PrintReport(out, sim::RunLock(sim::ParsePosition(in), lock));
  } else if (command == "play") {
    if (!rest.empty()) {
      throw sim::InputError(sim::ArgumentName(firstPosition + 1), "play takes no arguments");
    }
    sim::RunPlay(sim::ParseScript(in), out);
  } else {
    throw sim::InputError(sim::ArgumentName(firstPosition),
                          "unknown subcommand '" + sim::Shown(command) + "'");
  }
}

int Main(int argc, char** argv) {
  const app::CommandLine line = app::ReadCommandLine(argc, argv);
  sim::CheckedOutput output(stdout);
  std::ostream out(&output);
  switch (line.action) {
    case app::CommandLine::kHelp:
      out << kHelp;
      break;
    case app::CommandLine::kVersion:
      out << "quillmere-sim (Quillmere) " QM_VERSION "\n";
      break;
    case app::CommandLine::kBadOption:
      Fail(line.error + "; " + app::SeeHelp("quillmere-sim"));
      return kBadInput;
    case app::CommandLine::kRun: {
      if (line.firstOperand == argc) {
        std::fputs(kUsage, stderr);
        return kBadInput;
      }
      sim::CheckedInput input(stdin);
      std::istream in(&input);
      try {
        Run(std::vector<std::string>(argv + line.firstOperand, argv + argc), line.firstOperand, in,
            out);
      } catch (const sim::InputError& error) {
        Fail(error.what());
        return kBadInput;
      }
      break;
    }
  }
  if (const std::string error = output.Finish(); !error.empty()) {
    Fail("cannot write the output: " + error);
    return kFailed;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (const std::bad_alloc&) {
    Fail("out of memory");
  } catch (const std::exception& error) {
    Fail(error.what());
  }
  return kFailed;
}
