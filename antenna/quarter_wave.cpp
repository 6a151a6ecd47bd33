#include "antenna/quarter_wave.h"

#include <cmath>
#include <cstdint>

#include "core/numbers.h"

namespace quarter_wave {
namespace {

// Feet per MHz of the rule of thumb; the calculator has always used 468.
constexpr double kFeetTimesMegahertz = 468.0;

// An unusable reading stands as -468 so that its length comes out as -1.
constexpr std::int16_t kUnusable = -468;
constexpr const char* kUnusableResult = "-1 Feet";

// Locales whose separator is not one ASCII character still get theirs.
std::string WithSeparator(std::string text, std::string_view decimalSeparator) {
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  return text;
}

}  // namespace

std::string Calculate(std::string_view typed, std::string_view decimalSeparator, Values& values) {
  const double read = numbers::Read(typed);
  values.frequency = read;
  // A frequency so close to zero that its length overflows a double is as
  // unusable as none at all.
  if (read <= 0 || !std::isfinite(kFeetTimesMegahertz / read)) values.frequency = kUnusable;
  values.antennaLength = kFeetTimesMegahertz / values.frequency.Number();

  const std::string result = WithSeparator(values.antennaLength.Text('.'), decimalSeparator) + " Feet";
  return result == kUnusableResult ? kInputError : result;
}

}  // namespace quarter_wave
