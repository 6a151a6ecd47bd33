#include "game/mn_random.h"

#include <chrono>

namespace mystery {

void ClockRandom::Reseed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  generator_.seed(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

double ClockRandom::Draw() {
  // The top 53 bits as a fraction: never 1, unlike a rounded conversion.
  return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

}  // namespace mystery
