#include "input/promo.h"

namespace input {

void frmCM_Form_KeyDown(game::Module1& m) { OpenOrderPage(m, kOrderPageAddress); }

void frmCM_Form_MouseDown(game::Module1& m) { OpenOrderPage(m, kOrderPageAddress); }

// The browser runs on its own; whether it could be started is not our concern.
void OpenOrderPage(game::Module1& m, std::string_view address) { m.platform.ShellOpen(address); }

}  // namespace input
