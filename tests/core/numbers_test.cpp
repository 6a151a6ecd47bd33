#include "core/numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace {

constexpr double kMax = std::numeric_limits<double>::max();

struct Reading {
  const char* text;
  double value;
};
// Test names show the row, not the address of its text.
void PrintTo(const Reading& row, std::ostream* out) { *out << '"' << row.text << '"'; }

class ReadTest : public ::testing::TestWithParam<Reading> {};

TEST_P(ReadTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(numbers::Read(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(TypedGuesses, ReadTest,
                         ::testing::Values(Reading{"", 0}, Reading{"abc", 0}, Reading{"7x", 7}, Reading{"2.5", 2.5},
                                           Reading{"3.5", 3.5}, Reading{"-3", -3}, Reading{"1e3", 1000}));

INSTANTIATE_TEST_SUITE_P(TypedFrequencies, ReadTest,
                         ::testing::Values(Reading{"146", 146}, Reading{"28.5", 28.5}, Reading{"0.5", 0.5},
                                           Reading{"146 MHz", 146}, Reading{"1,5", 1}, Reading{"0", 0},
                                           Reading{"-10", -10}));

INSTANTIATE_TEST_SUITE_P(BlanksAnywhere, ReadTest,
                         ::testing::Values(Reading{"1 2 3", 123}, Reading{" \t\n42", 42}, Reading{"- 3", -3},
                                           Reading{"4 6 8", 468}, Reading{"1 . 5", 1.5}, Reading{"1\r2", 1}));

INSTANTIATE_TEST_SUITE_P(SignsAndPoints, ReadTest,
                         ::testing::Values(Reading{"-", 0}, Reading{"+", 0}, Reading{".", 0}, Reading{"+5", 5},
                                           Reading{".5", 0.5}, Reading{"5.", 5}, Reading{"1.2.3", 1.2},
                                           Reading{"..5", 0}, Reading{"--5", 0}));

INSTANTIATE_TEST_SUITE_P(Exponents, ReadTest,
                         ::testing::Values(Reading{"1e", 1}, Reading{"1e+", 1}, Reading{"1E-2", 0.01},
                                           Reading{"2.5E+3", 2500}, Reading{"e5", 0}, Reading{"9e9", 9e9},
                                           Reading{"-1e5", -1e5}, Reading{"1e3x", 1000}));

INSTANTIATE_TEST_SUITE_P(HexAndOctal, ReadTest,
                         ::testing::Values(Reading{"&H1F", 31}, Reading{"&hff", 255}, Reading{"&O17", 15},
                                           Reading{"&o9", 0}, Reading{"&H", 0}, Reading{"&", 0}, Reading{"&X1", 0},
                                           Reading{"&H1G", 1}, Reading{" & H 10", 16}));

INSTANTIATE_TEST_SUITE_P(BeyondADouble, ReadTest,
                         ::testing::Values(Reading{"1e999", kMax}, Reading{"-1e999", -kMax}, Reading{"1e-999", 0},
                                           Reading{"0.0000001e-400", 0}, Reading{"100000e308", kMax},
                                           Reading{"0.001e309", 1e306}, Reading{"1e99999999999999999999", kMax}));

TEST(ReadTest, LongTextsOfDigitsStayFinite) {
  EXPECT_EQ(numbers::Read(std::string(400, '9')), kMax);
  EXPECT_DOUBLE_EQ(numbers::Read("0." + std::string(400, '0') + "1e401"), 1.0);
}

struct Rounding {
  double value;
  int expected;
};
void PrintTo(const Rounding& row, std::ostream* out) { *out << row.value; }

class ToInt16Test : public ::testing::TestWithParam<Rounding> {};

TEST_P(ToInt16Test, RoundsHalfToEvenAndStopsAtTheLimits) {
  EXPECT_EQ(numbers::ToInt16(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Halves, ToInt16Test,
                         ::testing::Values(Rounding{2.5, 2}, Rounding{3.5, 4}, Rounding{0.5, 0}, Rounding{1.5, 2},
                                           Rounding{-2.5, -2}, Rounding{-3.5, -4}, Rounding{2.4999, 2},
                                           Rounding{2.5001, 3}));

INSTANTIATE_TEST_SUITE_P(Limits, ToInt16Test,
                         ::testing::Values(Rounding{32767, 32767}, Rounding{32767.4, 32767}, Rounding{32767.5, 32767},
                                           Rounding{9e9, 32767}, Rounding{kMax, 32767}, Rounding{-32768, -32768},
                                           Rounding{-32768.5, -32768}, Rounding{-1e5, -32768},
                                           Rounding{-kMax, -32768}));

struct Writing {
  double value;
  const char* text;
};
void PrintTo(const Writing& row, std::ostream* out) { *out << row.text; }

class WriteTest : public ::testing::TestWithParam<Writing> {};

TEST_P(WriteTest, WritesFifteenSignificantDigitsAtMost) {
  EXPECT_EQ(numbers::Write(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(AntennaLengths, WriteTest,
                         ::testing::Values(Writing{468.0 / 146, "3.20547945205479"}, Writing{468.0 / 144, "3.25"},
                                           Writing{468.0 / 50, "9.36"}, Writing{468.0 / 28.5, "16.4210526315789"},
                                           Writing{468.0 / 14.2, "32.9577464788732"}, Writing{468.0 / 7.2, "65"},
                                           Writing{468.0 / 468, "1"}, Writing{468.0 / 0.5, "936"},
                                           Writing{468.0 / -468, "-1"}));

INSTANTIATE_TEST_SUITE_P(PlainAndExponentForms, WriteTest,
                         ::testing::Values(Writing{0.0, "0"}, Writing{-0.0, "0"}, Writing{0.1 + 0.2, "0.3"},
                                           Writing{123456789012345.0, "123456789012345"},
                                           Writing{999999999999999.9, "1E+15"}, Writing{1e15, "1E+15"},
                                           Writing{2.5e20, "2.5E+20"}, Writing{0.0001, "0.0001"},
                                           Writing{4.68e-5, "4.68E-05"}, Writing{-4.68e-5, "-4.68E-05"},
                                           Writing{kMax, "1.79769313486232E+308"}, Writing{1e-300, "1E-300"}));

TEST(WriteTest, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(numbers::Write(3.25, ','), "3,25");
  EXPECT_EQ(numbers::Write(65.0, ','), "65");
  EXPECT_EQ(numbers::Write(4.68e-5, ','), "4,68E-05");
}

TEST(WriteTest, WritesIntegersPlainly) {
  EXPECT_EQ(numbers::Write(std::int16_t{0}), "0");
  EXPECT_EQ(numbers::Write(std::int16_t{-5}), "-5");
  EXPECT_EQ(numbers::Write(std::int16_t{32767}), "32767");
  EXPECT_EQ(numbers::Write(std::int16_t{-32768}), "-32768");
}

}  // namespace
