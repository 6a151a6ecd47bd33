#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How typed text becomes a number and how a number joins text, the same way
// in every window of the bundle.
namespace numbers {

// Reads the leading number of a text. Blanks, tabs and line feeds are skipped
// wherever they stand; then an optional sign, digits with at most one ".", and
// an optional exponent (E or e, optional sign, digits). A leading &H or &O
// reads a hexadecimal or octal integer instead. Reading stops at the first
// character that cannot continue the number; a text without a number reads 0.
// A number beyond the range of a double reads as the largest finite double of
// its sign, so no infinity ever comes out.
double Read(std::string_view text);

// Rounds to the nearest integer, an exact half to the even neighbour, and
// stops at the 16-bit limits instead of overflowing.
std::int16_t ToInt16(double value);

// A 16-bit integer as its digits, with a leading "-" when negative.
std::string Write(std::int16_t value);

// A double rounded to 15 significant digits, without trailing zeros and
// without a separator when whole, using `decimalSeparator`. From 1E+15
// upwards and below 1E-04 it takes the exponent form "4.68E-05".
std::string Write(double value, char decimalSeparator = '.');

}  // namespace numbers
