// Removing the runs of one pass with a blink, and repeating on the settled board as a chain.
#pragma once

#include "game/module1.h"

namespace game {

void RemoveMatches(Module1& m);

// Returns the entries listed over all passes; 0 when the first pass finds no run.
int ResolveChains(Module1& m);

// Like ResolveChains, also telling how many passes listed anything.
struct ChainResult {
  int total = 0;
  int passes = 0;
};
ChainResult ResolveChainsCounted(Module1& m);

}  // namespace game
