// One tick of each timer-driven window's rules: the game's UpdateAll and the
// decoder's Timer1 refresh, in the states they spend most time in.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "decoder/band_rules.h"
#include "game/mn_rules.h"

namespace {

class Middle : public mystery::RandomSource {
 public:
  void Reseed() override {}
  double Draw() override { return 0.5; }
};

mystery::Game GameInARound() {
  mystery::Game game(std::make_unique<Middle>(), [](std::int16_t) {});
  game.Load();
  game.Tick();
  game.Start();
  game.Fields().guessText = "70";
  game.KeyPress(mystery::kEnterKey);
  game.Fields().cheatMChecked = true;
  game.MarkersSwitch();
  return game;
}

void BM_GameTickDuringARound(benchmark::State& state) {
  mystery::Game game = GameInARound();
  for (auto _ : state) {
    game.Tick();
    benchmark::DoNotOptimize(game.Fields());
  }
}
BENCHMARK(BM_GameTickDuringARound);

// Option buttons as the window holds them: one selected in each group.
class Selected : public bands::OptionValues {
 public:
  explicit Selected(std::array<int, 3> options) : options_(options) {}
  bool Value(int option) const override {
    return option == options_[0] || option == options_[1] || option == options_[2];
  }

 private:
  std::array<int, 3> options_;
};

void BM_DecoderRefresh(benchmark::State& state) {
  // Yellow, violet, red: 4,700 OHMS.
  const Selected options({5, 13, 25});
  bands::DecoderValues values;
  bands::BandDisplay display;
  for (int option : {5, 13, 25}) bands::Option_Click(option, options, values, display);
  for (auto _ : state) {
    bands::Timer1_Timer(options, values, display);
    benchmark::DoNotOptimize(display);
  }
}
BENCHMARK(BM_DecoderRefresh);

}  // namespace
