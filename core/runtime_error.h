#pragma once

#include <stdexcept>
#include <string>

// An error raised inside a handler and not trapped there. The windowing
// runtime reports it with its number and text, then ends the program.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
  int Number() const { return number_; }

  static constexpr int kSubscriptOutOfRange = 9;
  static constexpr int kResourceNotFound = 326;

 private:
  int number_;
};
