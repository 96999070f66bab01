#include "game/module1.h"

namespace game {

Module1::Module1(ui::Platform& host)
    : platform(host), form1(host, pictures), frmCM(host, pictures) {}

}  // namespace game
