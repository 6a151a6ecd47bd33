#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/mn_random.h"

// A random source that hands out the value a test chose.
struct Dice {
  double next = 0;
  int reseeds = 0;
};

class FixedRandom : public mystery::RandomSource {
 public:
  explicit FixedRandom(Dice& dice) : dice_(dice) {}
  void Reseed() override { ++dice_.reseeds; }
  double Draw() override { return dice_.next; }

 private:
  Dice& dice_;
};

// The draw that makes a round of the given range hide `hidden`.
inline double DrawFor(int hidden, int rangeTop) { return (hidden - 0.5) / rangeTop; }
