// Random event sequences against the Mystery Number rules, as the window can
// deliver them (a disabled Start cannot be clicked, a hidden control cannot be
// used): any mix of Start, Enter with random texts, free points, cheat clicks,
// plaque presses and ticks. After every event: the hidden number drawn by a
// Start lies within 1 and the range top, and no tick leaves negative points.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "game/mn_rules.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Reads the input front to back; past its end every read gives 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return size_ == 0; }
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  std::string Text() {
    std::string text(Byte() % 24, '\0');
    for (char& c : text) c = static_cast<char>(Byte());
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// Draws come from the input too, ends of [0, 1) included.
class InputRandom : public mystery::RandomSource {
 public:
  explicit InputRandom(Input& input) : input_(input) {}
  void Reseed() override {}
  double Draw() override {
    switch (input_.Byte() % 4) {
      case 0:
        return 0.0;
      case 1:
        return 0x1.fffffffffffffp-1;  // the largest double below 1
      default: {
        std::uint64_t bits = 0;
        for (int i = 0; i < 7; ++i) bits = bits << 8 | input_.Byte();
        return static_cast<double>(bits >> 3) * 0x1.0p-53;
      }
    }
  }

 private:
  Input& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  mystery::Game game(std::make_unique<InputRandom>(input), [](std::int16_t cue) { Check(cue >= 1 && cue <= 5); });
  auto& values = game.Values();
  auto& fields = game.Fields();
  game.Load();
  // The timer's first tick comes before any click can.
  game.Tick();
  while (!input.Empty()) {
    switch (input.Byte() % 8) {
      case 0:
        if (!fields.startEnabled) break;
        game.Start();
        Check(values.mysteryValue >= 1 && values.mysteryValue <= values.rangeTop);
        break;
      case 1:
        fields.guessText = input.Text();
        game.KeyPress(mystery::kEnterKey);
        break;
      case 2:
        game.KeyPress(static_cast<std::int16_t>(input.Byte()));
        break;
      case 3:
        if (fields.pointsPlusVisible) game.AddPoint();
        break;
      case 4:
        fields.cheatChecked = !fields.cheatChecked;
        game.CheatSwitch();
        break;
      case 5:
        if (!fields.cheatMVisible) break;
        fields.cheatMChecked = !fields.cheatMChecked;
        game.MarkersSwitch();
        break;
      case 6:
        if (input.Byte() % 2) {
          game.PlaquePress();
        } else {
          game.PlaqueRelease();
        }
        break;
      default:
        for (int ticks = input.Byte() % 4 + 1; ticks > 0; --ticks) {
          game.Tick();
          Check(values.points >= 0);
          Check(values.rangeTop >= 100 && values.rangeTop <= 1000);
        }
        break;
    }
  }
  return 0;
}
