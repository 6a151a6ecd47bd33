#pragma once

#include <string>
#include <string_view>

#include "core/form_value.h"

// The quarter-wave calculation: a typed frequency in MHz becomes an antenna
// length in feet.
namespace quarter_wave {

// What the calculator keeps between two calculations, unseen.
struct Values {
  FormValue frequency;      // MHz as read, or -468 when the reading was unusable
  FormValue antennaLength;  // feet
};

inline constexpr const char* kInputError = "INPUT ERROR";

// Reads `typed` as a frequency, stores it and its length in `values` and
// returns the result to show, its length written with `decimalSeparator`.
std::string Calculate(std::string_view typed, std::string_view decimalSeparator, Values& values);

}  // namespace quarter_wave
