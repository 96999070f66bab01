// The season clock: a new season every ten seconds while a game runs.
#pragma once

#include "game/module1.h"

namespace flow {

void seasonTimer_Timer(game::Module1& m);

}  // namespace flow
