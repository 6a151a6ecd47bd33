#pragma once

#include <cstdint>
#include <random>

namespace mystery {

// Where the hidden numbers come from.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Starts a fresh sequence; called at every Start.
  virtual void Reseed() = 0;
  // A value uniform on [0, 1).
  virtual double Draw() = 0;
};

// Seeded from the time of day, so every round draws afresh.
class ClockRandom : public RandomSource {
 public:
  void Reseed() override;
  double Draw() override;

 private:
  std::mt19937_64 generator_;
};

}  // namespace mystery
