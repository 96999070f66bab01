// quillmere: the windowed game.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/options.h"
#include "app/version.h"
#include "host/sdl/sdl_host.h"

namespace {

constexpr int kBadUsage = 2;

constexpr const char* kHelp =
    "Usage: quillmere [OPTION]\n"
    "A falling-pair puzzle game in which flowers grow. Opens the game's window and plays until\n"
    "the window is closed.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n";

int BadUsage(const std::string& error) {
  std::fprintf(stderr, "quillmere: %s; %s\n", error.c_str(), app::SeeHelp("quillmere").c_str());
  return kBadUsage;
}

// Help and version go to standard output; a write that fails says so.
int Print(const char* text) {
  errno = 0;
  if (std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0) return 0;
  std::fprintf(stderr, "quillmere: cannot write the output: %s\n", std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const app::CommandLine line = app::ReadCommandLine(argc, argv);
  switch (line.action) {
    case app::CommandLine::kHelp:
      return Print(kHelp);
    case app::CommandLine::kVersion:
      return Print("quillmere (Quillmere) " QM_VERSION "\n");
    case app::CommandLine::kBadOption:
      return BadUsage(line.error);
    case app::CommandLine::kRun:
      break;
  }
  if (line.firstOperand < argc) {
    return BadUsage(sim::ArgumentName(line.firstOperand) + ": unexpected argument '" +
                    sim::Shown(argv[line.firstOperand]) + "'");
  }
  return host::sdl::RunGame();
}
