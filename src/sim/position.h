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

// Reads the position line by line and refuses it at the first line past the board. Throws
// InputError naming the line at fault.
Position ParsePosition(std::istream& in);
// COL ROW LOWER UPPER, the first of them at position `firstPosition` of the command line (the
// program's name is 0), which names them in errors.
LockArgs ParseLockArgs(const std::vector<std::string>& args, int firstPosition);

Report RunResolve(const Position& position);
Report RunLock(const Position& position, const LockArgs& lock);

// Rows 0 to 12, columns 1 to 6: '.' empty, digits otherwise.
void PrintBoard(std::ostream& out, const game::Board& board);
void PrintReport(std::ostream& out, const Report& report);

}  // namespace sim
