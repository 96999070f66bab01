// A started-up session on the virtual clock with a game running on a given field, for tests
// that drive the board's rules directly.
#pragma once

#include <string>
#include <vector>

#include "flow/game_life.h"
#include "flow/startup.h"
#include "game/board.h"
#include "game/settling.h"
#include "host/virtual_host.h"

namespace testing_support {

// Rows 0 to 12 from the top, columns 1 to 6: '.' empty, digits the codes. Fewer rows fill the
// bottom of the field.
inline void PlaceRows(game::Module1& m, const std::vector<std::string>& rows) {
  const int first = game::kFieldRows + 1 - static_cast<int>(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (int x = 1; x <= game::kFieldColumns; ++x) {
      const char c = rows[i][x - 1];
      m.board[x][first + static_cast<int>(i)] = c == '.' ? game::kEmpty : c - '0';
    }
  }
}

inline std::vector<std::string> FieldRows(const game::Module1& m) {
  std::vector<std::string> rows;
  for (int y = 0; y <= game::kFieldRows; ++y) {
    std::string row;
    for (int x = 1; x <= game::kFieldColumns; ++x) {
      const int code = m.board[x][y];
      row += code == game::kEmpty ? '.' : static_cast<char>('0' + code);
    }
    rows.push_back(row);
  }
  return rows;
}

// A host whose session has started up and begun a game, so that the rules can be called.
class GameHost : public host::VirtualHost {
 public:
  GameHost() : host::VirtualHost({}) {
    flow::Main(game());
    flow::NewGame(game());
    game().gameActive = 1;
  }
  void Place(const std::vector<std::string>& rows) {
    PlaceRows(game(), rows);
    game::RedrawBoard(game());
  }
  void DoEvents() override {
    ++singlePumps;
    host::VirtualHost::DoEvents();
  }
  int singlePumps = 0;
};

}  // namespace testing_support
