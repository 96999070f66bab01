// The command line of both programs, the GNU way: --help and --version, `--` ends the options,
// anything else that starts with '-' is an unknown option. Arguments are named by their
// position (the program's name is 0), the same way in every error.
#pragma once

#include <string>
#include <string_view>

#include "sim/input_error.h"
#include "sim/text.h"

namespace app {

struct CommandLine {
  enum Action { kRun, kHelp, kVersion, kBadOption };
  Action action = kRun;
  int firstOperand = 0;  // the position of the first operand; argc when there is none
  std::string error;     // kBadOption: "argument N: unknown option '...'"
};

inline CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") {
      line.firstOperand = i + 1;
      return line;
    }
    if (arg == "--help" || arg == "--version") {
      line.action = arg == "--help" ? CommandLine::kHelp : CommandLine::kVersion;
      return line;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      line.action = CommandLine::kBadOption;
      line.error = sim::ArgumentName(i) + ": unknown option '" + sim::Shown(arg) + "'";
      return line;
    }
    line.firstOperand = i;
    return line;
  }
  line.firstOperand = argc;
  return line;
}

// "see 'PROGRAM --help'", the pointer that follows every error about the command line.
inline std::string SeeHelp(std::string_view program) {
  return "see '" + std::string(program) + " --help'";
}

}  // namespace app
