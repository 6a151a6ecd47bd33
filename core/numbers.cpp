#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace numbers {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Walks a text while skipping the blanks that may stand anywhere in it.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Next() {
    ++pos_;
    SkipBlanks();
  }

 private:
  void SkipBlanks() {
    while (!AtEnd() && IsSkipped(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

double ReadRadix(Cursor& cursor, int radix) {
  double value = 0;
  while (DigitValue(cursor.Peek()) < radix) {
    value = value * radix + DigitValue(cursor.Peek());
    cursor.Next();
  }
  return std::isinf(value) ? std::numeric_limits<double>::max() : value;
}

// Too large or too small for a double: from_chars says only "out of range",
// so the decimal exponent of the first significant digit decides which.
double OutOfRange(std::string_view mantissa, long exponent) {
  long magnitude = exponent;
  const std::size_t point = mantissa.find('.');
  const std::size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
  const std::size_t first = mantissa.find_first_not_of("0.");
  if (first == std::string_view::npos) return 0.0;
  magnitude += first < integerDigits ? static_cast<long>(integerDigits - first)
                                     : -static_cast<long>(first - integerDigits);
  return magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
}

double ReadDecimal(Cursor& cursor) {
  std::string mantissa;
  bool sawPoint = false;
  for (;; cursor.Next()) {
    const char c = cursor.Peek();
    if (IsDigit(c)) {
      mantissa += c;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
      mantissa += c;
    } else {
      break;
    }
  }
  if (mantissa.find_first_of("0123456789") == std::string::npos) return 0.0;

  long exponent = 0;
  if (cursor.Peek() == 'E' || cursor.Peek() == 'e') {
    cursor.Next();
    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
      negative = cursor.Peek() == '-';
      cursor.Next();
    }
    constexpr long kCap = 1'000'000;  // far beyond any double; avoids overflow
    for (; IsDigit(cursor.Peek()); cursor.Next()) {
      if (exponent < kCap) exponent = exponent * 10 + (cursor.Peek() - '0');
    }
    if (negative) exponent = -exponent;
  }

  const std::string number = mantissa + "e" + std::to_string(exponent);
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) return OutOfRange(mantissa, exponent);
  return value;
}

}  // namespace

double Read(std::string_view text) {
  Cursor cursor(text);
  if (cursor.Peek() == '&') {
    cursor.Next();
    const char kind = cursor.Peek();
    if (kind == 'H' || kind == 'h') {
      cursor.Next();
      return ReadRadix(cursor, 16);
    }
    if (kind == 'O' || kind == 'o') {
      cursor.Next();
      return ReadRadix(cursor, 8);
    }
    return 0.0;
  }
  bool negative = false;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    negative = cursor.Peek() == '-';
    cursor.Next();
  }
  const double magnitude = ReadDecimal(cursor);
  return negative ? -magnitude : magnitude;
}

std::int16_t ToInt16(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // the default mode rounds a half to even
  if (rounded >= std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  if (rounded <= std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
  return static_cast<std::int16_t>(rounded);
}

std::string Write(std::int16_t value) { return std::to_string(value); }

std::string Write(double value, char decimalSeparator) {
  if (value == 0) return "0";  // also for -0
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == '.') c = decimalSeparator;
    if (c == 'e') c = 'E';
  }
  return text;
}

}  // namespace numbers
