// Benchmarks of the board's rules on the virtual clock: the pauses cost nothing, so what is
// measured is the rules themselves.
#include <benchmark/benchmark.h>

#include <random>

#include "flow/drop_tick.h"
#include "flow/game_life.h"
#include "flow/startup.h"
#include "game/board.h"
#include "game/chains.h"
#include "host/virtual_host.h"

namespace {

// A dense random field: every column filled to a random height with kinds 2 to 7.
void FillDense(game::Module1& m, std::mt19937& rng) {
  game::ResetBoard(m);
  std::uniform_int_distribution<int> kind(2, 7), height(6, 12);
  for (int x = 1; x <= game::kFieldColumns; ++x) {
    const int h = height(rng);
    for (int y = game::kFieldRows; y > game::kFieldRows - h; --y) m.board[x][y] = kind(rng);
  }
}

void BM_ResolveChainsDense(benchmark::State& state) {
  host::VirtualHost host({});
  game::Module1& m = host.game();
  flow::Main(m);
  std::mt19937 rng(1);
  for (auto _ : state) {
    state.PauseTiming();
    FillDense(m, rng);
    state.ResumeTiming();
    benchmark::DoNotOptimize(game::ResolveChains(m));
  }
}
BENCHMARK(BM_ResolveChainsDense);

// A whole lock: a pair dropped on a half-full field, its chains, the next pair chosen.
void BM_LockHandling(benchmark::State& state) {
  host::VirtualHost host({});
  game::Module1& m = host.game();
  flow::Main(m);
  flow::NewGame(m);
  m.gameActive = 1;
  std::mt19937 rng(2);
  for (auto _ : state) {
    state.PauseTiming();
    FillDense(m, rng);
    m.pieceX = 1 + static_cast<int>(rng() % 6);
    int y = 0;
    while (m.board[m.pieceX][y + 1] == game::kEmpty) ++y;
    m.pieceY = y;
    m.pieceLower = 2 + static_cast<int>(rng() % 6);
    m.pieceUpper = 2 + static_cast<int>(rng() % 6);
    m.gameActive = 1;
    state.ResumeTiming();
    benchmark::DoNotOptimize(flow::LockPair(m));
  }
}
BENCHMARK(BM_LockHandling);

}  // namespace
