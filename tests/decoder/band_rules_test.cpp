#include <array>
#include <string>

#include <gtest/gtest.h>

#include "decoder/band_rules.h"

namespace {

using namespace bands;

constexpr int kYellowFirst = 5, kVioletSecond = 13;  // digits 4 and 7
constexpr int kBlackFirst = 1, kBrownSecond = 19;    // digits 0 and 1
constexpr int kWhiteFirst = 10, kWhiteSecond = 11, kBlackSecond = 20;
constexpr int kGreyHundredthOption = 21, kGoldTenth = 22, kBlackX1 = 23, kBrownX10 = 24, kRedX100 = 25;
constexpr int kBlueX1M = 29;

// Three exclusive groups of option buttons, as the window holds them:
// selecting an option clears the others of its group and runs its handling
// when it was not selected before.
class Decoder : public OptionValues {
 public:
  bool Value(int option) const override { return selected_[GroupOf(option)] == option; }

  void Select(int option) {
    int& current = selected_[GroupOf(option)];
    if (current == option) return;
    current = option;
    Option_Click(option, *this, values, display);
  }
  void Tick() { Timer1_Timer(*this, values, display); }

  std::string Readout(int first, int second, int multiplier) {
    Select(first);
    Select(second);
    Select(multiplier);
    Tick();
    return display.readout;
  }

  DecoderValues values;
  BandDisplay display;

 private:
  static int GroupOf(int option) { return option <= 10 ? 0 : option <= 20 ? 1 : 2; }
  std::array<int, 3> selected_{};
};

struct MultiplierRow {
  int option;
  const char* caption;
  Rgb colour;
  const char* ohmsSuffix;
  const char* with4And7;
  const char* with0And1;
};

const MultiplierRow kMultipliers[] = {
    {21, "Grey /100", 0x808080, " OHMS", ".47 OHMS", ".01 OHMS"},
    {22, "Gold /10", 0x808000, " OHMS", "4.7 OHMS", "0.1 OHMS"},
    {23, "Black X1", 0x000000, ".0 OHMS", "47.0 OHMS", "01.0 OHMS"},
    {24, "Brown X10", 0x400000, "0 OHMS", "470 OHMS", "010 OHMS"},
    {25, "Red X100", 0xFF0000, "00 OHMS", "4,700 OHMS", "0,100 OHMS"},
    {26, "Orange X 1K", 0xFF8000, ",000 OHMS", "47,000 OHMS", "01,000 OHMS"},
    {27, "Yellow X 10K", 0xFFFF00, "0,000 OHMS", "470,000 OHMS", "010,000 OHMS"},
    {28, "Green X 100K", 0x00C000, "00,000 OHMS", "4,700,000 OHMS", "0,100,000 OHMS"},
    {29, "Blue X 1M", 0x0000FF, ",000,000 OHMS", "47,000,000 OHMS", "01,000,000 OHMS"},
};

TEST(BandRulesTest, EveryMultiplierReadsAsTheColourCodeSays) {
  for (const MultiplierRow& row : kMultipliers) {
    Decoder fourSeven;
    EXPECT_EQ(fourSeven.Readout(kYellowFirst, kVioletSecond, row.option), row.with4And7) << row.caption;
    EXPECT_EQ(fourSeven.display.bandvalue[kMultiplierBand], row.caption);
    ASSERT_NE(fourSeven.display.patch[kMultiplierBand], nullptr);
    EXPECT_EQ(fourSeven.display.patch[kMultiplierBand]->rgb, row.colour) << row.caption;
    EXPECT_EQ(fourSeven.values.ohmsSuffix, FormValue(row.ohmsSuffix));

    Decoder zeroOne;
    EXPECT_EQ(zeroOne.Readout(kBlackFirst, kBrownSecond, row.option), row.with0And1) << row.caption;
  }
}

TEST(BandRulesTest, EveryMultiplierReadsTheSameAfterAnyOtherMultiplier) {
  // The readout after a tick depends only on the three current choices.
  for (const MultiplierRow& before : kMultipliers) {
    for (const MultiplierRow& after : kMultipliers) {
      Decoder decoder;
      decoder.Readout(kYellowFirst, kVioletSecond, before.option);
      decoder.Select(after.option);
      decoder.Tick();
      EXPECT_EQ(decoder.display.readout, after.with4And7) << before.caption << " then " << after.caption;
    }
  }
}

struct DigitRow {
  int option;
  const char* caption;
  Rgb colour;
  std::int16_t digit;
};

TEST(BandRulesTest, FirstBandCountsUpFromBlack) {
  const DigitRow rows[] = {
      {1, "Black = 0", 0x000000, 0},  {2, "Brown = 1", 0x400000, 1},  {3, "Red = 2", 0xFF0000, 2},
      {4, "Orange = 3", 0xFF8000, 3}, {5, "Yellow = 4", 0xFFFF00, 4}, {6, "Green = 5", 0x00C000, 5},
      {7, "Blue = 6", 0x0000FF, 6},   {8, "Violet = 7", 0xC000C0, 7}, {9, "Grey = 8", 0x808080, 8},
      {10, "White = 9", 0xFFFFFF, 9},
  };
  for (const DigitRow& row : rows) {
    Decoder decoder;
    decoder.Select(row.option);
    EXPECT_EQ(decoder.values.band1Digit, FormValue(row.digit)) << row.caption;
    EXPECT_EQ(decoder.display.bandvalue[kFirstBand], row.caption);
    ASSERT_NE(decoder.display.patch[kFirstBand], nullptr);
    EXPECT_EQ(decoder.display.patch[kFirstBand]->rgb, row.colour) << row.caption;
    EXPECT_TRUE(decoder.values.band2Digit.IsEmpty());
    EXPECT_EQ(decoder.display.bandvalue[kSecondBand], "");
  }
}

TEST(BandRulesTest, SecondBandCountsDownFromWhite) {
  const DigitRow rows[] = {
      {11, "White = 9", 0xFFFFFF, 9},  {12, "Grey = 8", 0x808080, 8},  {13, "Violet = 7", 0xC000C0, 7},
      {14, "Blue = 6", 0x0000FF, 6},   {15, "Green = 5", 0x00C000, 5}, {16, "Yellow = 4", 0xFFFF00, 4},
      {17, "Orange = 3", 0xFF8000, 3}, {18, "Red = 2", 0xFF0000, 2},   {19, "Brown = 1", 0x400000, 1},
      {20, "Black = 0", 0x000000, 0},
  };
  for (const DigitRow& row : rows) {
    Decoder decoder;
    decoder.Select(row.option);
    EXPECT_EQ(decoder.values.band2Digit, FormValue(row.digit)) << row.caption;
    EXPECT_EQ(decoder.display.bandvalue[kSecondBand], row.caption);
    ASSERT_NE(decoder.display.patch[kSecondBand], nullptr);
    EXPECT_EQ(decoder.display.patch[kSecondBand]->rgb, row.colour) << row.caption;
    EXPECT_TRUE(decoder.values.band1Digit.IsEmpty());
  }
}

TEST(BandRulesTest, ReadoutEdgeCases) {
  struct Case {
    const char* what;
    int first, second, multiplier;
    const char* readout;
  };
  const Case cases[] = {
      {"a leading Black keeps its zero", kBlackFirst, kBrownSecond, kRedX100, "0,100 OHMS"},
      {"Black X1 keeps one decimal place of zeros", kBlackFirst, kBlackSecond, kBlackX1, "00.0 OHMS"},
      {"Gold /10 below one", kBlackFirst, kBrownSecond, kGoldTenth, "0.1 OHMS"},
      {"Grey /100 has no zero before the point", kYellowFirst, kVioletSecond, kGreyHundredthOption, ".47 OHMS"},
      {"the longest readout", kWhiteFirst, kWhiteSecond, kBlueX1M, "99,000,000 OHMS"},
  };
  for (const Case& c : cases) {
    Decoder decoder;
    EXPECT_EQ(decoder.Readout(c.first, c.second, c.multiplier), c.readout) << c.what;
  }
}

TEST(BandRulesTest, GreyThenGoldNeverShowsBothMarks) {
  Decoder decoder;
  EXPECT_EQ(decoder.Readout(kYellowFirst, kVioletSecond, kGreyHundredthOption), ".47 OHMS");
  decoder.Select(kGoldTenth);
  EXPECT_EQ(decoder.values.leadMark, FormValue(".")) << "Gold leaves the leading point to the refresh";
  decoder.Tick();
  EXPECT_EQ(decoder.display.readout, "4.7 OHMS");
  EXPECT_EQ(decoder.values.leadMark, FormValue(""));
}

TEST(BandRulesTest, BrownX10AfterAPointOrACommaEmptiesTheSeparator) {
  for (int marked : {kGoldTenth, kRedX100}) {
    Decoder decoder;
    decoder.Readout(kYellowFirst, kVioletSecond, marked);
    decoder.Select(kBrownX10);
    EXPECT_EQ(decoder.values.digitSeparator, FormValue(""));
    decoder.Tick();
    EXPECT_EQ(decoder.display.readout, "470 OHMS") << "after option " << marked;
  }
}

TEST(BandRulesTest, AChoiceShowsAtOnceButTheReadoutWaitsForTheRefresh) {
  Decoder decoder;
  EXPECT_EQ(decoder.Readout(kYellowFirst, kVioletSecond, kRedX100), "4,700 OHMS");
  decoder.Select(kBrownSecond);
  EXPECT_EQ(decoder.display.bandvalue[kSecondBand], "Brown = 1");
  EXPECT_EQ(decoder.display.patch[kSecondBand]->rgb, 0x400000u);
  EXPECT_EQ(decoder.display.readout, "4,700 OHMS");
  decoder.Tick();
  EXPECT_EQ(decoder.display.readout, "4,100 OHMS");
}

TEST(BandRulesTest, AHandlerDoesNothingWhileItsOptionIsNotSelected) {
  Decoder decoder;
  decoder.Readout(kYellowFirst, kVioletSecond, kGoldTenth);
  const DecoderValues before = decoder.values;
  const BandDisplay shown = decoder.display;
  for (int option : {kBlackFirst, kBlackSecond, kGreyHundredthOption, kRedX100}) {
    Option_Click(option, decoder, decoder.values, decoder.display);
  }
  EXPECT_EQ(decoder.values.band1Digit, before.band1Digit);
  EXPECT_EQ(decoder.values.band2Digit, before.band2Digit);
  EXPECT_EQ(decoder.values.ohmsSuffix, before.ohmsSuffix);
  EXPECT_EQ(decoder.values.leadMark, before.leadMark);
  EXPECT_EQ(decoder.values.digitSeparator, before.digitSeparator);
  EXPECT_EQ(decoder.display.bandvalue, shown.bandvalue);
  EXPECT_EQ(decoder.display.patch, shown.patch);
}

TEST(BandRulesTest, EmptyValuesComposeAsEmptyText) {
  Decoder decoder;
  decoder.Tick();
  EXPECT_EQ(decoder.display.readout, "");
  decoder.Select(kBrownX10);
  decoder.Tick();
  EXPECT_EQ(decoder.display.readout, "0 OHMS");
}

}  // namespace
