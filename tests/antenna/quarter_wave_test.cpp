#include "antenna/quarter_wave.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

using quarter_wave::Calculate;
using quarter_wave::Values;

struct Example {
  const char* typed;
  FormValue frequency;
  const char* shown;
};

std::ostream& operator<<(std::ostream& out, const Example& example) { return out << '"' << example.typed << '"'; }

constexpr std::int16_t kUnusable = -468;

class WorkedExample : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExample, ShowsTheLengthAndKeepsTheValues) {
  const Example& example = GetParam();
  Values values;
  EXPECT_EQ(Calculate(example.typed, ".", values), example.shown);
  EXPECT_EQ(values.frequency, example.frequency);
  ASSERT_TRUE(values.antennaLength.IsDouble());
  EXPECT_DOUBLE_EQ(values.antennaLength.Number(), 468.0 / example.frequency.Number());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(QuarterWave, WorkedExample,
                         ::testing::Values(Example{"146", 146.0, "3.20547945205479 Feet"},
                                           Example{"144", 144.0, "3.25 Feet"},
                                           Example{"50", 50.0, "9.36 Feet"},
                                           Example{"28.5", 28.5, "16.4210526315789 Feet"},
                                           Example{"14.2", 14.2, "32.9577464788732 Feet"},
                                           Example{"7.2", 7.2, "65 Feet"},
                                           Example{"468", 468.0, "1 Feet"},
                                           Example{"0.5", 0.5, "936 Feet"},
                                           Example{"146 MHz", 146.0, "3.20547945205479 Feet"},
                                           Example{"1,5", 1.0, "468 Feet"},
                                           Example{"", kUnusable, "INPUT ERROR"},
                                           Example{"abc", kUnusable, "INPUT ERROR"},
                                           Example{"0", kUnusable, "INPUT ERROR"},
                                           Example{"-10", kUnusable, "INPUT ERROR"}));
// clang-format on

TEST(QuarterWave, WritesTheLocalesSeparatorButReadsOnlyAPoint) {
  Values values;
  EXPECT_EQ(Calculate("28.5", ",", values), "16,4210526315789 Feet");
  EXPECT_EQ(Calculate("0.5", ",", values), "936 Feet");
  EXPECT_EQ(Calculate("1,5", ",", values), "468 Feet");
  EXPECT_EQ(values.frequency, FormValue(1.0));
  EXPECT_EQ(Calculate("5E6", ",", values), "9,36E-05 Feet");
  EXPECT_EQ(Calculate("", ",", values), "INPUT ERROR");
  EXPECT_EQ(Calculate("28.5", "\u066B", values), "16\u066B4210526315789 Feet");
}

TEST(QuarterWave, OtherFormsOfNumberAreRead) {
  Values values;
  EXPECT_EQ(Calculate(" 1 4 6 ", ".", values), "3.20547945205479 Feet");
  EXPECT_EQ(Calculate("&H1D4", ".", values), "1 Feet");
  EXPECT_EQ(Calculate("+.5", ".", values), "936 Feet");
  EXPECT_EQ(Calculate("-0", ".", values), "INPUT ERROR");
}

TEST(QuarterWave, ExtremeLengthsTakeTheExponentForm) {
  Values values;
  EXPECT_EQ(Calculate("4.68E6", ".", values), "0.0001 Feet");
  EXPECT_EQ(Calculate("4680001", ".", values), "9.99999786324832E-05 Feet");
  EXPECT_EQ(Calculate("4.7E-13", ".", values), "995744680851064 Feet");
  EXPECT_EQ(Calculate("4.68E-13", ".", values), "1E+15 Feet");
  EXPECT_EQ(Calculate("3E-306", ".", values), "1.56E+308 Feet");
  EXPECT_EQ(Calculate("1E999", ".", values), "2.60333641445343E-306 Feet");
}

TEST(QuarterWave, AFrequencyWhoseLengthOverflowsIsAnInputError) {
  for (const char* typed : {"1E-306", "1E-307", "1E-320", "4.9E-324"}) {
    Values values;
    EXPECT_EQ(Calculate(typed, ".", values), "INPUT ERROR") << typed;
    EXPECT_EQ(values.frequency, FormValue(kUnusable)) << typed;
    EXPECT_EQ(values.antennaLength, FormValue(-1.0)) << typed;
  }
}

TEST(QuarterWave, EachCalculationReplacesTheKeptValues) {
  Values values;
  EXPECT_TRUE(values.frequency.IsEmpty());
  Calculate("146", ".", values);
  Calculate("abc", ".", values);
  EXPECT_EQ(values.frequency, FormValue(kUnusable));
  EXPECT_TRUE(values.frequency.IsInteger());
  EXPECT_EQ(values.antennaLength, FormValue(-1.0));
}

}  // namespace
