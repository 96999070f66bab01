#include "flow/promo.h"

namespace flow {

void ShowPromoOnce(game::Module1& m) {
  if (m.promoPending == game::kClear) return;
  m.promoPending = game::kClear;
  const ui::Form1& main = m.form1;
  m.frmCM.SetTop(main.top() + main.height() / 3);
  m.frmCM.SetLeft(main.left() + main.width() * 0.85);
  m.frmCM.Show();
}

}  // namespace flow
