#include "flow/startup.h"

#include <cmath>

#include "game/board.h"

namespace flow {
namespace {

void LayOutGrid(game::Module1& m) {
  int column = 1, row = 1;
  for (int n = 0; n < game::kFieldColumns * game::kFieldRows; ++n) {
    if (n >= 1) m.form1.AddBlockImage();
    m.form1.imgBlock[n].Move(63 + ui::kCellPixels * column, 20 + ui::kCellPixels * row);
    if (++column > game::kFieldColumns) {
      column = 1;
      ++row;
    }
  }
}

}  // namespace

int DropIntervalFor(int level) {
  return static_cast<int>(std::nearbyint(2000.0 / (4 + 2 * level)));
}

void Main(game::Module1& m) {
  m.promoPending = game::kSet;
  m.form1.keyPreview = true;
  if (m.platform.PrevInstance()) {
    m.platform.MsgBox(ui::kAlreadyRunningText, ui::kAlreadyRunningTitle);
    ui::Platform::EndProgram();
  }
  m.gameActive = 0;
  m.board = {};
  LayOutGrid(m);
  game::InitScanTables(m);
  for (int level = 0; level < 4; ++level) m.dropInterval[level] = DropIntervalFor(level);
  m.keyBinding = {100, 102, 98, 101};
  m.platform.Randomize();
  ShowMainWindow(m);
}

// Sizes in twips: the outer size is set so that the client area comes out at exactly 320 x 400
// pixels whatever the frame, then the window is centred on the screen.
void ShowMainWindow(game::Module1& m) {
  ui::Form1& f = m.form1;
  const ui::ScreenMetrics screen = m.platform.Screen();
  const double tx = std::nearbyint(screen.twipsPerPixelX);
  f.SetWidth(f.width() - tx * f.scaleWidth() + tx * ui::kMainClientWidth);
  const double ty = std::nearbyint(screen.twipsPerPixelY);
  f.SetHeight(f.height() - ty * f.scaleHeight() + ty * ui::kMainClientHeight);
  f.SetLeft((screen.widthTwips - f.width()) / 2);
  f.SetTop((screen.heightTwips - f.height()) / 2);
  f.Show();
}

void Form_Unload(game::Module1& /*m*/) {
  ui::Platform::EndProgram();
}

}  // namespace flow
