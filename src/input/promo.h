// The promotional window's handlers: any key or mouse button opens the order page.
#pragma once

#include <string_view>

#include "game/module1.h"

namespace input {

inline constexpr std::string_view kOrderPageAddress = "https://www.example.com/quillmere/order";

void frmCM_Form_KeyDown(game::Module1& m);
void frmCM_Form_MouseDown(game::Module1& m);
void OpenOrderPage(game::Module1& m, std::string_view address);

}  // namespace input
