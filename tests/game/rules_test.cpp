// The rules worked through on small fields: runs and chains, group clearing, settling, the blink.
#include <gtest/gtest.h>

#include "game/board.h"
#include "game/chains.h"
#include "game/group.h"
#include "game/matching.h"
#include "support/harness.h"

namespace {

using qmtest::Rows;
using qmtest::Session;

// "a/b/c": rows at the bottom of the field; "^a/b": rows from the entry row down.
Rows Field(const std::string& text) {
  Rows rows;
  std::istringstream in(text.substr(text[0] == '^'));
  for (std::string row; std::getline(in, row, '/');) rows.push_back(row);
  rows.insert(text[0] == '^' ? rows.end() : rows.begin(), 13 - rows.size(), "......");
  return rows;
}

char Shows(Session& s, int x, int y, int kind) {
  const ui::Image& cell = s.m().form1.imgBlock[(y - 1) * 6 + x - 1];
  return cell.visible() && cell.picture() == s.m().pictures.cell[kind] ? '1' : '0';
}

// Before > after : entries listed (or group cells cleared), passes, score, milliseconds. An 8
// before is the special cell, which clears its group instead of a chain resolution.
const char* const kExamples[] = {
    "222... > .3.... : 3 1 3 600",  // three in a row grow the middle
    ".3333. > ..4... : 4 1 4 600",  // an even run grows the cell nearer its start
    "555555 > ..6... : 6 1 6 600",  // a run of six leaves one
    ".....2/.....2/.....2/.....2 > .....3 : 4 1 4 600",  // columns scan upwards
    "777... > 777... : 0 0 0 0",                         // the last stage never matches
    "666... > .7.... : 3 1 3 600",                       // sixes grow into the last stage
    ".4..../444.../.4.... > .5.... : 5 1 5 600",         // a plus lists its centre once
    "4...../4...../444... > 55.... : 6 1 6 600",         // an L lists its corner twice
    "2...../2...../233... > .4.... : 6 2 9 1700",        // a two-step chain scores double
    "..6.../.62.../632... > .72.../.32... : 3 1 3 600",  // up-right
    "...2../...42./...352 > ...43./...35. : 3 1 3 600",  // up-left
    "222444 > .3..5. : 6 1 6 600",                       // a row scan resumes right after a run
    ".....4/....4./...4../..2.../.2..../2..... > .3..5. : 6 1 6 600",  // so does an up-right one
    "4...../.4..../..4.../...2../....2./.....2 > .5..3. : 6 1 6 600",  // and an up-left one
    ".....4/.....4/.....4/.....2/.....2/.....2 > .....5/.....3 : 6 1 6 600",  // and a column one
    "....2./..42../.42.../42..../2..... > .53... : 8 1 8 600",  // up-right into the next group
    ".2..../..24../...24./....24/.....2 > ...35. : 8 1 8 600",  // up-left into the next group
    "^222.../777777 > .3..../777777 : 3 1 3 600",               // runs in the entry row count
    "^..2.../.2..../2..... > .3.... : 3 1 3 600",               // so do the shortest diagonals
    "^...2../....2./.....2 > ....3. : 3 1 3 600",
    ".8..../.7..../.777../.2.... > .2.... : 4 0 10 3000",  // a group goes one by one
    "..7.../78..../.727.. > ..7.../..27.. : 2 0 3 2000",   // sevens join through sides only
    ".7..../86.... > .7..../.6.... : 0 0 0 500",  // without a group only the special cell goes
    "^..78../...7.. > ..7... : 1 0 1 1500",       // a group never reaches into the entry row
};

TEST(Rules, WorkedExamples) {
  for (const char* example : kExamples) {
    SCOPED_TRACE(example);
    std::istringstream in(example);
    std::string before, after, skip;
    int result = 0, passes = 0, score = 0, ms = 0;
    in >> before >> skip >> after >> skip >> result >> passes >> score >> ms;
    Session s;
    game::Module1& m = s.Playing(Field(before)).m();
    game::ChainResult r;
    const Rows rows = Field(before);
    for (int y = 0; y <= 12; ++y) {
      const std::size_t x = rows[y].find('8');
      if (x != std::string::npos) r.total = game::ClearGroup(m, static_cast<int>(x) + 1, y);
    }
    if (before.find('8') == std::string::npos) r = game::ResolveChainsCounted(m);
    EXPECT_EQ(std::tuple(r.total, r.passes, m.score, s.NowMs()),
              std::tuple(result, passes, score, ms));
    EXPECT_EQ(qmtest::FieldRows(m), Field(after));
    EXPECT_EQ(qmtest::ScreenFault(m), "");
  }
}

TEST(Rules, APassListsAnyNumberOfEntries) {
  Session s;
  game::Module1& m = s.Playing(Rows(13, "333333")).m();
  EXPECT_GT(game::ResolveChains(m), 72);  // what a fixed list of the field's size would hold
  for (const std::string& row : qmtest::FieldRows(m)) EXPECT_EQ(row.find('3'), row.npos) << row;
  for (auto [x, y] : {std::pair(0, 5), {7, 5}, {3, 0}, {1, 13}}) game::ShowCell(m, x, y, 6, -1);
  EXPECT_EQ(qmtest::ScreenFault(m), "");  // outside the field nothing shows, nothing wraps
}

TEST(Rules, SettlingMovesColumnsOneRowPerStepAndRepaintsEveryStep) {
  std::string column = ".2....";  // twelve cells over a gap at the floor
  for (int i = 1; i < 12; ++i) column += "/.2....";
  for (auto [before, steps, after] : {std::tuple<std::string, int, std::string>(
                                          "2...../....../3...../....../....../4...../5...../6.....",
                                          3, "2...../3...../4...../5...../6....."),
                                      {"^.....5", 12, ".....5"},
                                      {"^" + column, 1, column}}) {
    Session s;
    game::Module1& m = s.Playing(Field(before)).m();
    for (const int expected : {steps, 1}) {  // then once more, with a stale cell on screen
      int pumps = 0;
      s.onPump = [&pumps](Session&, bool) { ++pumps; };
      game::DropCells(m);
      EXPECT_EQ(pumps, expected);
      EXPECT_EQ(qmtest::FieldRows(m), Field(after));
      EXPECT_EQ(qmtest::ScreenFault(m), "");
      m.form1.imgBlock[5].SetVisible(true);
    }
  }
}

TEST(Rules, TheBlinkShowsOutcomeAndOldLookTwiceThenCommits) {
  Session s;
  game::Module1& m = s.Playing({"222..."}).m();
  std::string looks;  // at each pause: whether (1,12) shows its 2, (2,12) its grown 3
  s.onPump = [&looks](Session& session, bool waiting) {
    if (waiting) looks += {Shows(session, 1, 12, 2), Shows(session, 2, 12, 3), ' '};
  };
  game::ScanRows(m);
  game::RemoveMatches(m);
  EXPECT_EQ(looks, "01 10 01 10 01 ");
}

}  // namespace
