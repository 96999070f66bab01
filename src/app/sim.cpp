// quillmere-sim: the game's own code on a virtual clock, driven from standard input.
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "sim/input_error.h"
#include "sim/position.h"
#include "sim/script.h"

namespace {

constexpr int kBadInput = 2;

int Usage() {
  std::cerr << "quillmere-sim: usage: quillmere-sim resolve | lock COL ROW LOWER UPPER | play\n";
  return kBadInput;
}

void Run(const std::vector<std::string>& args, std::string& output) {
  std::ostringstream out;
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "resolve") {
    if (!rest.empty()) throw sim::InputError("argument 2", "resolve takes no arguments");
    sim::PrintReport(out, sim::RunResolve(sim::ParsePosition(std::cin)));
  } else if (command == "lock") {
    const sim::LockArgs lock = sim::ParseLockArgs(rest);
    sim::PrintReport(out, sim::RunLock(sim::ParsePosition(std::cin), lock));
  } else if (command == "play") {
    if (!rest.empty()) throw sim::InputError("argument 2", "play takes no arguments");
    sim::RunPlay(sim::ParseScript(std::cin), out);
  } else {
    throw sim::InputError("argument 1", "unknown subcommand '" + command + "'");
  }
  output = out.str();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  std::string output;
  try {
    Run(args, output);
  } catch (const sim::InputError& error) {
    std::cerr << "quillmere-sim: " << error.what() << '\n';
    return kBadInput;
  }
  std::cout << output;
  return std::cout.good() ? 0 : 1;
}
