// Start-up: one copy per user, the session's state, the window sized and centred.
#pragma once

#include "game/module1.h"

namespace flow {

inline constexpr std::string_view kAlreadyRunningText = "Quillmereは、起動されています。";
inline constexpr std::string_view kAlreadyRunningTitle = "警告";

void Main(game::Module1& m);
void ShowMainWindow(game::Module1& m);

// Two seconds divided into 4 + 2 level steps, to the nearest millisecond.
int DropIntervalFor(int level);

}  // namespace flow
