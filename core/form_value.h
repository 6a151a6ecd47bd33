#pragma once

#include <cstdint>
#include <string>
#include <variant>

// A dynamically typed form-level value: empty until first set, then a 16-bit
// integer, a double or a text. It joins text the way numbers are written, and
// an empty value joins as empty text.
class FormValue {
 public:
  FormValue() = default;
  FormValue(std::int16_t value) : value_(value) {}
  FormValue(double value) : value_(value) {}
  FormValue(std::string value) : value_(std::move(value)) {}
  FormValue(const char* value) : value_(std::string(value)) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsInteger() const { return std::holds_alternative<std::int16_t>(value_); }
  bool IsDouble() const { return std::holds_alternative<double>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }

  // The numeric value of an integer or a double; 0 otherwise.
  double Number() const;

  // The value as it joins text, with `decimalSeparator` in a double.
  std::string Text(char decimalSeparator = '.') const;

  bool operator==(const FormValue&) const = default;

 private:
  std::variant<std::monostate, std::int16_t, double, std::string> value_;
};
