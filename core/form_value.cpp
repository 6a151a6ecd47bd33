#include "core/form_value.h"

#include "core/numbers.h"

double FormValue::Number() const {
  if (const auto* integer = std::get_if<std::int16_t>(&value_)) return *integer;
  if (const auto* real = std::get_if<double>(&value_)) return *real;
  return 0.0;
}

std::string FormValue::Text(char decimalSeparator) const {
  if (const auto* integer = std::get_if<std::int16_t>(&value_)) return numbers::Write(*integer);
  if (const auto* real = std::get_if<double>(&value_)) return numbers::Write(*real, decimalSeparator);
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  return {};
}
