// `quillmere-sim resolve` and `lock`: a position in, the position after the handling out.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "game/module1.h"

namespace sim {

struct Position {
  int score = 0;
  int level = 0;
  // Field and entry row as cell codes, indexed [column][row] like the board.
  game::Board board{};
};

struct LockArgs {
  int column = 0, row = 0, lower = 0, upper = 0;
};

struct Report {
  game::Board board{};
  int score = 0, level = 0, group = 0, result = 0, passes = 0;
  bool gameOver = false;
  long long elapsedMs = 0;
};

Position ParsePosition(std::istream& in);
LockArgs ParseLockArgs(const std::vector<std::string>& args);

Report RunResolve(const Position& position);
Report RunLock(const Position& position, const LockArgs& lock);

// Rows 0 to 12, columns 1 to 6: '.' empty, digits otherwise.
void PrintBoard(std::ostream& out, const game::Board& board);
void PrintReport(std::ostream& out, const Report& report);

}  // namespace sim
