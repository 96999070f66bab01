#include "sim/position.h"

#include "flow/drop_tick.h"
#include "flow/game_life.h"
#include "flow/startup.h"
#include "game/board.h"
#include "game/chains.h"
#include "game/settling.h"
#include "host/virtual_host.h"
#include "sim/input_error.h"
#include "sim/text.h"

namespace sim {
namespace {

using game::kFieldColumns;
using game::kFieldRows;

void ParseHeader(const InputLine& line, Position& position, bool& seenScore, bool& seenLevel) {
  const std::vector<std::string> words = SplitWords(line.text);
  const std::string where = LineName(line.number);
  if (words.size() != 2 || (words[0] != "score" && words[0] != "level")) {
    throw InputError(where, "expected 'score N' or 'level N'");
  }
  bool& seen = words[0] == "score" ? seenScore : seenLevel;
  if (seen) throw InputError(where, words[0] + " is given twice");
  seen = true;
  if (words[0] == "score") {
    position.score = static_cast<int>(ParseInteger(words[1], 0, game::kMaxScore, where, "score"));
  } else {
    position.level = static_cast<int>(ParseInteger(words[1], 0, 3, where, "level"));
  }
}

void ParseBoardRow(const InputLine& line, int row, Position& position) {
  const std::string where = LineName(line.number);
  if (line.text.size() != kFieldColumns) {
    throw InputError(
        where, "a board row must be exactly 6 characters, got " + std::to_string(line.text.size()));
  }
  for (int x = 1; x <= kFieldColumns; ++x) {
    const char c = line.text[x - 1];
    if (c == '.') {
      position.board[x][row] = game::kEmpty;
    } else if (c >= '2' && c <= '7') {
      position.board[x][row] = c - '0';
    } else {
      throw InputError(where, "cell '" + Shown(std::string(1, c)) + "' in column " +
                                  std::to_string(x) + " is not '.' or 2 to 7");
    }
  }
}

bool IsHeader(const std::string& text) {
  return text.rfind("score", 0) == 0 || text.rfind("level", 0) == 0;
}

// A session started up, with a game running on the given position.
void SetUp(host::VirtualHost& host, const Position& position) {
  game::Module1& m = host.game();
  flow::Main(m);
  flow::NewGame(m);
  m.gameActive = 1;
  for (int x = 1; x <= kFieldColumns; ++x) {
    for (int y = 0; y <= kFieldRows; ++y) m.board[x][y] = position.board[x][y];
  }
  m.score = position.score;
  m.speedLevel = position.level;
  game::RedrawBoard(m);
}

Report Finish(host::VirtualHost& host, ui::Millis start) {
  Report report;
  const game::Module1& m = host.game();
  report.board = m.board;
  report.score = m.score;
  report.level = m.speedLevel;
  report.elapsedMs = host.NowMs() - start;
  return report;
}

}  // namespace

Position ParsePosition(std::istream& in) {
  Position position;
  bool seenScore = false, seenLevel = false;
  int row = 0;
  std::int64_t lastLine = 0;
  LineReader reader(in);
  for (InputLine line; reader.Next(line);) {
    lastLine = line.number;
    if (row == 0 && IsHeader(line.text)) {
      ParseHeader(line, position, seenScore, seenLevel);
    } else if (row > kFieldRows) {
      throw InputError(LineName(line.number), "unexpected line after the 13 board rows");
    } else {
      ParseBoardRow(line, row++, position);
    }
  }
  if (row <= kFieldRows) {
    throw InputError(LineName(lastLine + 1),
                     "the board has " + std::to_string(row) + " rows, expected 13");
  }
  return position;
}

LockArgs ParseLockArgs(const std::vector<std::string>& args, int firstPosition) {
  if (args.size() != 4) {
    throw InputError("arguments", "lock takes COL ROW LOWER UPPER, got " +
                                      std::to_string(args.size()) + " arguments");
  }
  auto arg = [&](int i, int low, int high, const char* name) {
    return static_cast<int>(
        ParseInteger(args[i], low, high, ArgumentName(firstPosition + i), name));
  };
  return {arg(0, 1, kFieldColumns, "COL"), arg(1, 0, kFieldRows, "ROW"),
          arg(2, game::kSeed, game::kSpecial, "LOWER"), arg(3, game::kEmpty, 7, "UPPER")};
}

Report RunResolve(const Position& position) {
  host::VirtualHost host({});
  SetUp(host, position);
  const ui::Millis start = host.NowMs();
  const game::ChainResult chains = game::ResolveChainsCounted(host.game());
  Report report = Finish(host, start);
  report.level = position.level;
  report.result = chains.total;
  report.passes = chains.passes;
  return report;
}

Report RunLock(const Position& position, const LockArgs& lock) {
  host::VirtualHost host({});
  SetUp(host, position);
  game::Module1& m = host.game();
  m.pieceX = lock.column;
  m.pieceY = lock.row;
  m.pieceLower = lock.lower;
  m.pieceUpper = lock.upper;
  const ui::Millis start = host.NowMs();
  const flow::LockOutcome outcome = flow::LockPair(m);
  Report report = Finish(host, start);
  report.group = outcome.groupCells;
  report.result = outcome.chains.total;
  report.passes = outcome.chains.passes;
  report.gameOver = outcome.gameOver;
  return report;
}

void PrintBoard(std::ostream& out, const game::Board& board) {
  for (int y = 0; y <= kFieldRows; ++y) {
    for (int x = 1; x <= kFieldColumns; ++x) {
      const int code = board[x][y];
      out << (code == game::kEmpty ? '.' : static_cast<char>('0' + code));
    }
    out << '\n';
  }
}

void PrintReport(std::ostream& out, const Report& report) {
  PrintBoard(out, report.board);
  out << "score " << report.score << '\n'
      << "level " << report.level << '\n'
      << "group " << report.group << '\n'
      << "result " << report.result << '\n'
      << "passes " << report.passes << '\n'
      << "gameover " << (report.gameOver ? "yes" : "no") << '\n'
      << "elapsed_ms " << report.elapsedMs << '\n';
}

}  // namespace sim
