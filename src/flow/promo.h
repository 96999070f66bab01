// The promotional window appears beside the main window at the end of the first game of a run.
#pragma once

#include "game/module1.h"

namespace flow {

void ShowPromoOnce(game::Module1& m);

}  // namespace flow
