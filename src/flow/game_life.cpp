#include "flow/game_life.h"

#include "flow/promo.h"
#include "game/board.h"

namespace flow {

using game::kClear;
using game::kEmpty;
using game::kSet;
using game::Module1;

namespace {

constexpr int kSeasonMillis = 10000;
constexpr int kFirstSeason = 1;  // summer; spring comes after winter

// The special pair comes with spring, once per change of season.
void ChooseNextPair(Module1& m) {
  if (m.season == 0 && m.seasonChanged == kSet) {
    m.nextLower = game::kSpecial;
    m.nextUpper = kEmpty;
    m.seasonChanged = kClear;
    return;
  }
  m.nextLower = game::RandomKind(m);
  m.nextUpper = game::RandomKind(m);
}

}  // namespace

void NewGame(Module1& m) {
  game::ResetBoard(m);
  m.score = 0;
  m.speedLevel = 0;
  m.seasonChanged = kClear;
  m.pieceY = 0;
  m.season = kFirstSeason;
  m.pieceX = game::kEntryColumn;
  m.pieceLower = game::RandomKind(m);
  m.pieceUpper = game::RandomKind(m);
  m.nextLower = game::RandomKind(m);
  m.nextUpper = game::RandomKind(m);
}

// The first pair stays in the entry row, unseen, until the first drop tick.
void StartGame(Module1& m) {
  ui::Form1& f = m.form1;
  m.gameActive = 1;
  m.events->GameStarted();
  NewGame(m);
  f.labelScore.SetCaption("0");
  ShowNextPair(m);
  f.imgNextBlock[0].SetVisible(true);
  f.imgNextBlock[1].SetVisible(true);
  f.imgSeason.SetPicture(f.imgSeasonType[m.season].picture());
  f.imgSeason.SetVisible(true);
  f.nextBlockTimer.SetInterval(m.dropInterval[m.speedLevel]);
  f.nextBlockTimer.SetEnabled(true);
  f.seasonTimer.SetInterval(kSeasonMillis);
  f.seasonTimer.SetEnabled(true);
}

// The new pair is not drawn yet: the next tick brings it into row 1.
void BringInNextPair(Module1& m) {
  m.pieceX = game::kEntryColumn;
  m.pieceY = 0;
  m.pieceLower = m.nextLower;
  m.pieceUpper = m.nextUpper;
  ChooseNextPair(m);
  ShowNextPair(m);
}

void ShowNextPair(Module1& m) {
  ui::Form1& f = m.form1;
  f.imgNextBlock[0].SetPicture(f.imgBlockType[m.nextLower].picture());
  f.imgNextBlock[1].SetPicture(f.imgBlockType[m.nextUpper].picture());
}

// The board and the score keep what they show until the next game.
void EndGame(Module1& m) {
  m.events->GameOver();
  ui::Form1& f = m.form1;
  f.nextBlockTimer.SetInterval(0);
  f.nextBlockTimer.SetEnabled(false);
  f.seasonTimer.SetEnabled(false);
  f.waitTImer.SetEnabled(false);
  f.waitActionTimer.SetEnabled(false);
  f.imgSeason.SetVisible(false);
  f.imgNextBlock[0].SetVisible(false);
  f.imgNextBlock[1].SetVisible(false);
  m.gameActive = 0;
  for (int x = 1; x <= game::kFieldColumns; ++x) {
    for (int y = 1; y <= game::kFieldRows; ++y) game::ShowCell(m, x, y, kEmpty, kClear);
  }
  ShowPromoOnce(m);
}

}  // namespace flow
