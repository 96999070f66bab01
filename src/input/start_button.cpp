#include "input/start_button.h"

#include "flow/game_life.h"

namespace input {

// Two black rings along the edge make the button look pressed until the release repaints it.
void btStart_MouseDown(game::Module1& m) {
  if (m.gameActive != 0) return;
  ui::PictureBox& button = m.form1.btStart;
  button.DrawRectangle(0, 0, button.width() - 1, button.height() - 1);
  button.DrawRectangle(1, 1, button.width() - 2, button.height() - 2);
}

void btStart_MouseUp(game::Module1& m) {
  m.form1.btStart.Refresh();
  if (m.gameActive != 0) return;
  flow::StartGame(m);
}

}  // namespace input
