// Number reading and writing over arbitrary text: never an infinity or NaN,
// agreement with the C library on plain decimal texts, and writing then
// reading gives the value back to 15 significant digits.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "core/numbers.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsPlainDecimal(const std::string& text) {
  static const std::regex kPlain(R"([+-]?[0-9]{1,20}(\.[0-9]{1,20})?)");
  return std::regex_match(text, kPlain);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = numbers::Read(text);
  Check(std::isfinite(value));

  const std::int16_t rounded = numbers::ToInt16(value);
  Check(std::fabs(rounded - value) <= 0.5 || rounded == 32767 || rounded == -32768);

  if (IsPlainDecimal(text)) Check(value == std::strtod(text.c_str(), nullptr));

  const std::string written = numbers::Write(value);
  const double reread = numbers::Read(written);
  Check(std::isfinite(reread));
  Check(reread == value || std::fabs(reread - value) <= std::fabs(value) * 1e-14);
  Check(numbers::Write(reread) == written);
  return 0;
}
