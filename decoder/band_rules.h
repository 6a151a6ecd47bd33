#pragma once

#include <array>
#include <string>

#include "core/form_value.h"
#include "decoder/band_table.h"

namespace bands {

// The decoder's form-level values. They belong to the window instance and
// outlive an unload; every load sets them afresh.
struct DecoderValues {
  FormValue band1Digit;
  FormValue band2Digit;
  FormValue ohmsSuffix;
  FormValue leadMark;
  FormValue digitSeparator;
};

// What the window shows, slot by slot; the window copies it into its
// controls. A band without a colour yet has no patch colour.
struct BandDisplay {
  std::array<std::string, 3> bandvalue;
  std::array<const Colour*, 3> patch{};
  std::string readout;
};

// Whether an option button is selected, as the window's controls say.
class OptionValues {
 public:
  virtual ~OptionValues() = default;
  virtual bool Value(int option) const = 0;
};

// The handling of option `option` (1..29) becoming selected: stores its digit
// or its multiplier's suffix and marks, and shows its band caption and colour.
// The readout waits for the next refresh.
void Option_Click(int option, const OptionValues& options, DecoderValues& values, BandDisplay& display);

// The band caption that option `option` (1..29) shows when chosen.
const char* BandCaption(int option);

// The refresh on every timer tick: composes the readout from the values.
void Timer1_Timer(const OptionValues& options, DecoderValues& values, BandDisplay& display);

}  // namespace bands
