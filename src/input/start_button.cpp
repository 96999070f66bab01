#include "input/start_button.h"

#include "game/board.h"

namespace input {

using game::Module1;

namespace {
constexpr int kSeasonMillis = 10000;
constexpr int kFirstSeason = 1;  // summer; spring comes after winter
}  // namespace

// Two black rings along the edge make the button look pressed until the release repaints it.
void btStart_MouseDown(Module1& m) {
  if (m.gameActive != 0) return;
  ui::PictureBox& button = m.form1.btStart;
  button.DrawRectangle(0, 0, button.width() - 1, button.height() - 1);
  button.DrawRectangle(1, 1, button.width() - 2, button.height() - 2);
}

void btStart_MouseUp(Module1& m) {
  ui::Form1& f = m.form1;
  f.btStart.Refresh();
  if (m.gameActive != 0) return;
  m.gameActive = 1;
  m.events->GameStarted();
  NewGame(m);
  f.labelScore.SetCaption("0");
  f.imgNextBlock[0].SetPicture(f.imgBlockType[m.nextLower].picture());
  f.imgNextBlock[1].SetPicture(f.imgBlockType[m.nextUpper].picture());
  f.imgNextBlock[0].SetVisible(true);
  f.imgNextBlock[1].SetVisible(true);
  f.imgSeason.SetPicture(f.imgSeasonType[m.season].picture());
  f.imgSeason.SetVisible(true);
  f.nextBlockTimer.SetInterval(m.dropInterval[m.speedLevel]);
  f.nextBlockTimer.SetEnabled(true);
  f.seasonTimer.SetInterval(kSeasonMillis);
  f.seasonTimer.SetEnabled(true);
}

void NewGame(Module1& m) {
  game::ResetBoard(m);
  m.score = 0;
  m.speedLevel = 0;
  m.seasonChanged = game::kClear;
  m.pieceY = 0;
  m.season = kFirstSeason;
  m.pieceX = game::kEntryColumn;
  m.pieceLower = game::RandomKind(m);
  m.pieceUpper = game::RandomKind(m);
  m.nextLower = game::RandomKind(m);
  m.nextUpper = game::RandomKind(m);
}

void Form_Unload(Module1& /*m*/) { ui::Platform::EndProgram(); }

}  // namespace input
