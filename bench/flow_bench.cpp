// Whole games on the virtual clock: start-up, a click, and keypad 2 held (auto-repeat every
// 30 ms) so that every pair drops fast, to the game's end. The pauses cost no real time, so this
// measures the game's own code: ticks, locks, chains, seasons, the pumps between them.
#include <benchmark/benchmark.h>

#include "host/virtual_host.h"

namespace {

constexpr ui::Millis kLongest = 120000;  // far beyond any fast-dropped game (about 6 s)
constexpr int kFastDropKey = 98;

// Ends the session when the game's end is complete: the first game's end shows the promotion.
class OneGameHost : public host::VirtualHost {
 public:
  using VirtualHost::VirtualHost;
  bool ended = false;

 protected:
  void PromoShown() override {
    ended = true;
    EndProgram();
  }
};

host::VirtualSetup FastDropScript() {
  host::VirtualSetup setup;
  setup.inputs.push_back({0, host::ScriptedInput::kClick, 0});
  for (ui::Millis t = 30; t <= kLongest; t += 30) {
    setup.inputs.push_back({t, host::ScriptedInput::kDown, kFastDropKey});
  }
  setup.until = kLongest;
  return setup;
}

void BM_WholeFastDroppedGame(benchmark::State& state) {
  const host::VirtualSetup script = FastDropScript();
  std::uint32_t seed = 0;
  std::int64_t games = 0, virtualMs = 0;
  for (auto _ : state) {
    host::VirtualSetup setup = script;
    setup.seed = ++seed % 64;  // a fixed round of different games
    OneGameHost host(std::move(setup));
    host.Run();
    if (!host.ended) state.SkipWithError("a game did not end");
    ++games;
    virtualMs += host.NowMs();
  }
  state.counters["games_per_second"] =
      benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
  state.counters["virtual_ms_per_game"] =
      benchmark::Counter(static_cast<double>(virtualMs) / static_cast<double>(games));
}
BENCHMARK(BM_WholeFastDroppedGame)->Unit(benchmark::kMicrosecond);

}  // namespace
