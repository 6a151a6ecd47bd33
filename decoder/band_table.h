#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include <cstdint>

// The colour bands a resistor can carry and what picking each one stores and
// shows. Rows follow the colour code's own order so each can be checked at a
// glance against a colour-code chart.
namespace bands {

// #RRGGBB.
using Rgb = std::uint32_t;

struct Colour {
  const char* name;
  Rgb rgb;
};

// Brown is a dark red and Gold an olive: the only shades the drawing uses.
inline constexpr Colour kBlack{"Black", 0x000000};
inline constexpr Colour kBrown{"Brown", 0x400000};
inline constexpr Colour kRed{"Red", 0xFF0000};
inline constexpr Colour kOrange{"Orange", 0xFF8000};
inline constexpr Colour kYellow{"Yellow", 0xFFFF00};
inline constexpr Colour kGreen{"Green", 0x00C000};
inline constexpr Colour kBlue{"Blue", 0x0000FF};
inline constexpr Colour kViolet{"Violet", 0xC000C0};
inline constexpr Colour kGrey{"Grey", 0x808080};
inline constexpr Colour kWhite{"White", 0xFFFFFF};
inline constexpr Colour kGold{"Gold", 0x808000};

// Options 1..10 pick the first digit, 11..20 the second (counting down from
// White 9 to Black 0), 21..29 the multiplier.
inline constexpr int kOptionCount = 29;

// The three bands, as the window numbers its band captions and patches.
enum Band { kFirstBand = 0, kSecondBand = 1, kMultiplierBand = 2 };

struct DigitChoice {
  int firstBandOption;
  int secondBandOption;
  Colour colour;
  std::int16_t digit;
  const char* caption;
};

inline constexpr DigitChoice kDigitChoices[] = {
    {1, 20, kBlack, 0, "Black = 0"},
    {2, 19, kBrown, 1, "Brown = 1"},
    {3, 18, kRed, 2, "Red = 2"},
    {4, 17, kOrange, 3, "Orange = 3"},
    {5, 16, kYellow, 4, "Yellow = 4"},
    {6, 15, kGreen, 5, "Green = 5"},
    {7, 14, kBlue, 6, "Blue = 6"},
    {8, 13, kViolet, 7, "Violet = 7"},
    {9, 12, kGrey, 8, "Grey = 8"},
    {10, 11, kWhite, 9, "White = 9"},
};

// What a multiplier does to the marks around the digits.
enum class Marks {
  LeadingPoint,  // "." before the first digit, nothing between the digits
  Point,         // "." between the digits
  Comma,         // "," between the digits
  None,          // nothing between the digits
};

// The readout is text, not arithmetic: each multiplier brings a fixed tail of
// zeros and commas. The captions' spacing is uneven on purpose ("X10" but
// "X 1K").
struct MultiplierChoice {
  int option;
  Colour colour;
  const char* caption;
  const char* ohmsSuffix;
  Marks marks;
};

inline constexpr MultiplierChoice kMultiplierChoices[] = {
    {21, kGrey, "Grey /100", " OHMS", Marks::LeadingPoint},
    {22, kGold, "Gold /10", " OHMS", Marks::Point},
    {23, kBlack, "Black X1", ".0 OHMS", Marks::None},
    {24, kBrown, "Brown X10", "0 OHMS", Marks::None},
    {25, kRed, "Red X100", "00 OHMS", Marks::Comma},
    {26, kOrange, "Orange X 1K", ",000 OHMS", Marks::None},
    {27, kYellow, "Yellow X 10K", "0,000 OHMS", Marks::None},
    {28, kGreen, "Green X 100K", "00,000 OHMS", Marks::Comma},
    {29, kBlue, "Blue X 1M", ",000,000 OHMS", Marks::None},
};

// The one multiplier whose mark goes before the digits.
inline constexpr int kGreyHundredth = 21;

}  // namespace bands
// clang-format on
