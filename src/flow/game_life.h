// A game's life: it starts at the start button's release, brings in a new pair at every lock and
// ends when a pair locks at its entry place without removing anything.
#pragma once

#include "game/module1.h"

namespace flow {

// The board, the counters and the first two pairs of a new game; nothing on screen changes.
void NewGame(game::Module1& m);

// A new game on screen (score, preview, season) with its drop and season clocks running.
void StartGame(game::Module1& m);

// The preview pair falls next; a new preview is chosen and shown.
void BringInNextPair(game::Module1& m);

// The preview's two images, from nextLower and nextUpper.
void ShowNextPair(game::Module1& m);

// Stops the clocks, hides the field, the preview and the season, and offers the promotion.
void EndGame(game::Module1& m);

}  // namespace flow
