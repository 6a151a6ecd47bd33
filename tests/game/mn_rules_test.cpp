#include "game/mn_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game_fixture.h"

namespace {

using mystery::Cue;
using mystery::Game;

class GameTest : public ::testing::Test {
 protected:
  GameTest() {
    game.Load();
    game.Tick();
  }

  mystery::GameValues& values() { return game.Values(); }
  mystery::Display& fields() { return game.Fields(); }

  void StartWith(int hidden) {
    dice.next = DrawFor(hidden, values().rangeTop);
    game.Start();
    ASSERT_EQ(values().mysteryValue, hidden);
  }
  void Enter(const std::string& text) {
    fields().guessText = text;
    game.KeyPress(mystery::kEnterKey);
  }
  // Plays the next round to a right guess; returns the points its Start added.
  int WinRound() {
    const int before = values().points;
    StartWith(1);
    const int added = values().points - before;
    Enter("1");
    game.Tick();
    return added;
  }
  void LoseRound() {
    StartWith(1);
    while (values().points > 0) Enter("2");
    game.Tick();
  }
  std::vector<std::int16_t> TakeCues() { return std::exchange(cues, {}); }

  Dice dice;
  std::vector<std::int16_t> cues;
  Game game{std::make_unique<FixedRandom>(dice), [this](std::int16_t cue) { cues.push_back(cue); }};
};

TEST_F(GameTest, FirstLoadShowsAGameOverBeforeAnyRound) {
  EXPECT_EQ(fields().progress, " Game Over! ");
  EXPECT_EQ(fields().hiLo, " Correct answer! ");
  EXPECT_TRUE(fields().startEnabled);
  EXPECT_EQ(fields().startCaption, "Start New Game");
  EXPECT_FALSE(fields().ratingVisible);
  EXPECT_FALSE(fields().scoreBoxVisible);
  EXPECT_FALSE(fields().roundBoxVisible);
  EXPECT_FALSE(fields().narrowedVisible);
  EXPECT_FALSE(fields().cheatMVisible);
  EXPECT_FALSE(fields().pointsPlusVisible);
  EXPECT_FALSE(fields().cheatPicVisible);
  EXPECT_EQ(fields().mystery, "");
  EXPECT_EQ(fields().pointAward, "");
  EXPECT_EQ(fields().rating, " Ha Ha Ha...You are a looser ");
  EXPECT_EQ(values().roundNumber, 0);
  EXPECT_EQ(values().roundBonus, 10);
  EXPECT_EQ(values().logoState, 1);
}

TEST_F(GameTest, LoadWritesTheRatingPlaceholderUntilTheFirstTick) {
  Game fresh{std::make_unique<FixedRandom>(dice), [](std::int16_t) {}};
  fresh.Load();
  EXPECT_EQ(fresh.Fields().rating, "Current Rating...Not Available");
  EXPECT_EQ(fresh.Values().roundNumber, 1);
}

TEST_F(GameTest, FirstStartOfTheRun) {
  StartWith(37);
  EXPECT_FALSE(fields().startEnabled);
  EXPECT_EQ(fields().mystery, "Mystery number is between 0 and 100");
  EXPECT_EQ(fields().pointAward, "Completed round bonus = 10");
  EXPECT_EQ(fields().progress, "Round 1 in progress");
  EXPECT_TRUE(fields().ratingVisible && fields().scoreBoxVisible && fields().roundBoxVisible);
  EXPECT_EQ(dice.reseeds, 1);
  game.Tick();
  EXPECT_EQ(fields().scoreBox, "Your score is 10");
  EXPECT_EQ(fields().roundBox, "You are playing Round # 1");
  EXPECT_EQ(fields().rating, " Current Rating...Pathetic! ");
  EXPECT_EQ(fields().hiLo, " Higher than 0");
  EXPECT_EQ(fields().startCaption, "Start New Round") << "the caption follows the points, also while disabled";
  EXPECT_FALSE(fields().startEnabled);
}

struct RoundRow {
  int first, last;
  int rangeTop;
  int bonus;
};

TEST_F(GameTest, RoundTableOfAGame) {
  const RoundRow rows[] = {
      {1, 5, 100, 10},   {6, 6, 200, 10},    {7, 7, 300, 10},    {8, 8, 400, 10},
      {9, 9, 500, 10},   {10, 10, 600, 10},  {11, 11, 700, 12},  {12, 12, 800, 12},
      {13, 13, 900, 12}, {14, 20, 1000, 12}, {21, 25, 1000, 14},
  };
  for (const RoundRow& row : rows) {
    for (int round = row.first; round <= row.last; ++round) {
      const int before = values().points;
      dice.next = 0.9999999;
      game.Start();
      EXPECT_EQ(values().roundNumber, round);
      EXPECT_EQ(values().points - before, row.bonus) << "round " << round;
      EXPECT_EQ(values().mysteryValue, row.rangeTop) << "the top of the range is drawn, round " << round;
      EXPECT_EQ(fields().mystery, "Mystery number is between 0 and " + std::to_string(row.rangeTop));
      EXPECT_EQ(fields().pointAward, "Completed round bonus = " + std::to_string(row.bonus));
      Enter(std::to_string(row.rangeTop));
      game.Tick();
      ASSERT_TRUE(fields().startEnabled) << "round " << round << " won";
    }
  }
}

TEST_F(GameTest, TheLowestDrawHidesOne) {
  dice.next = 0;
  game.Start();
  EXPECT_EQ(values().mysteryValue, 1);
}

TEST_F(GameTest, AGameLostInRound12LeavesItsBonusForTheNextGame) {
  for (int round = 1; round <= 11; ++round) WinRound();
  LoseRound();
  ASSERT_EQ(fields().progress, " Game Over! ");
  game.Tick();
  EXPECT_EQ(values().roundNumber, 0);
  EXPECT_EQ(values().roundBonus, 12) << "kept while the round number is 0";
  EXPECT_EQ(WinRound(), 12);
  EXPECT_EQ(values().roundNumber, 1);
  EXPECT_EQ(WinRound(), 10);
}

TEST_F(GameTest, AReloadAfterAGameLostInRound12StartsTheNextGameWith10) {
  for (int round = 1; round <= 11; ++round) WinRound();
  LoseRound();
  game.Load();
  game.Tick();
  EXPECT_EQ(WinRound(), 10);
}

// Start is enabled before the tick that brings the range and the bonus up to
// date: from the window's load to its first tick, and from the tick that ends
// a game to the next. A Start pressed then still begins round 1, from 1 to 100.
struct EarlyStartRow {
  const char* when;
  int lostInRound;  // 0: no game played since the load
  bool reloaded;
  int bonus;
};

TEST_F(GameTest, AStartBeforeTheNextTickBeginsRoundOneFromOneToAHundred) {
  const EarlyStartRow rows[] = {
      {"just loaded, no game yet", 0, false, 10},
      {"right after a game lost in round 5", 5, false, 10},
      {"right after a game lost in round 12", 12, false, 12},
      {"reloaded after a game lost in round 12", 12, true, 10},
  };
  for (const EarlyStartRow& row : rows) {
    game = Game(std::make_unique<FixedRandom>(dice), [this](std::int16_t cue) { cues.push_back(cue); });
    game.Load();
    if (row.lostInRound > 0) {
      game.Tick();
      for (int round = 1; round < row.lostInRound; ++round) WinRound();
      LoseRound();
      ASSERT_EQ(fields().progress, " Game Over! ") << row.when;
      if (row.reloaded) game.Load();
    }
    dice.next = 0.9999999;
    game.Start();
    EXPECT_EQ(values().roundNumber, 1) << row.when;
    EXPECT_EQ(values().points, row.bonus) << row.when;
    EXPECT_EQ(values().mysteryValue, 100) << row.when << ": the top of the range is drawn";
    EXPECT_EQ(values().highMark, 100) << row.when;
    EXPECT_EQ(fields().mystery, "Mystery number is between 0 and 100") << row.when;
    EXPECT_EQ(fields().pointAward, "Completed round bonus = " + std::to_string(row.bonus)) << row.when;
    game.Tick();
    EXPECT_EQ(fields().progress, "Round 1 in progress") << row.when << ": no game over before a guess";
    EXPECT_EQ(fields().scoreBox, "Your score is " + std::to_string(row.bonus)) << row.when;
  }
}

struct RatingRow {
  std::int16_t points;
  const char* caption;
  mystery::Rgb back, fore;
};

TEST_F(GameTest, RatingSwitchesExactlyAtItsBounds) {
  const RatingRow rows[] = {
      {0, " Ha Ha Ha...You are a looser ", mystery::kRed, mystery::kWhite},
      {1, " Current Rating...Pathetic! ", mystery::kWhite, mystery::kBlack},
      {24, " Current Rating...Pathetic! ", mystery::kWhite, mystery::kBlack},
      {25, " Current Rating...Average! ", mystery::kWhite, mystery::kBlack},
      {49, " Current Rating...Average! ", mystery::kWhite, mystery::kBlack},
      {50, " Current Rating...Good! ", mystery::kWhite, mystery::kBlack},
      {99, " Current Rating...Good! ", mystery::kWhite, mystery::kBlack},
      {100, " Current Rating...Great! ", mystery::kWhite, mystery::kBlack},
      {149, " Current Rating...Great! ", mystery::kWhite, mystery::kBlack},
      {150, " Current Rating...Unbelievable! ", mystery::kWhite, mystery::kBlack},
      {32767, " Current Rating...Unbelievable! ", mystery::kWhite, mystery::kBlack},
  };
  for (const RatingRow& row : rows) {
    values().points = row.points;
    game.Tick();
    EXPECT_EQ(fields().rating, row.caption) << row.points;
    EXPECT_EQ(fields().ratingBack, row.back) << row.points;
    EXPECT_EQ(fields().ratingFore, row.fore) << row.points;
    EXPECT_EQ(fields().scoreBox, "Your score is " + std::to_string(row.points));
  }
}

TEST_F(GameTest, AWholeGameByHalvingTheRange) {
  StartWith(37);
  EXPECT_EQ(TakeCues(), (std::vector<std::int16_t>{Cue::kCueStart}));
  int low = 0, high = 100, guesses = 0;
  while (true) {
    const int guess = (low + high) / 2;
    Enter(std::to_string(guess));
    ++guesses;
    EXPECT_EQ(fields().guessText, "");
    game.Tick();
    if (guess == 37) break;
    EXPECT_EQ(TakeCues(), (std::vector<std::int16_t>{Cue::kCueGuess}));
    EXPECT_FALSE(fields().startEnabled);
    (guess < 37 ? low : high) = guess;
  }
  EXPECT_EQ(TakeCues(), (std::vector<std::int16_t>{Cue::kCueGuess, Cue::kCueRightGuess}));
  EXPECT_EQ(values().points, 10 - (guesses - 1) + 1);
  EXPECT_EQ(fields().hiLo, " Correct answer! ");
  EXPECT_EQ(fields().progress, " Round Over ");
  EXPECT_TRUE(fields().startEnabled);
  EXPECT_EQ(fields().startCaption, "Start New Round");

  const int pointsAfterWin = values().points;
  Enter("5");
  EXPECT_EQ(values().points, pointsAfterWin) << "Enter is ignored once the round is over";
  EXPECT_TRUE(TakeCues().empty());

  StartWith(99);
  EXPECT_EQ(TakeCues(), (std::vector<std::int16_t>{Cue::kCueStart}));
  EXPECT_EQ(fields().progress, "Round 2 in progress");
  while (values().points > 1) Enter("1");
  TakeCues();
  Enter("1");
  EXPECT_EQ(TakeCues(), (std::vector<std::int16_t>{Cue::kCueGuess, Cue::kCueGameOver}));
  game.Tick();
  EXPECT_EQ(fields().progress, " Game Over! ");
  EXPECT_EQ(values().roundNumber, 0);
  EXPECT_EQ(fields().rating, " Ha Ha Ha...You are a looser ");
  EXPECT_EQ(fields().ratingBack, mystery::kRed);
  EXPECT_EQ(fields().ratingFore, mystery::kWhite);
  EXPECT_TRUE(fields().startEnabled);
  EXPECT_EQ(fields().startCaption, "Start New Game");
  EXPECT_EQ(fields().roundBox, "You are playing Round # 0");
  Enter("99");
  EXPECT_EQ(values().points, 0) << "no guesses between games";
}

TEST_F(GameTest, MarkersAreTheLatestGuessesNotTheTightest) {
  StartWith(37);
  fields().cheatMChecked = true;
  game.MarkersSwitch();
  EXPECT_EQ(fields().narrowed, "Narrowed between 0 and 100");
  EXPECT_TRUE(fields().narrowedVisible);
  const struct {
    const char* guess;
    const char* hint;
    const char* markers;
  } steps[] = {
      {"50", " Lower than 50", "Narrowed between 0 and 50"},
      {"20", " Higher than 20", "Narrowed between 20 and 50"},
      {"10", " Higher than 10", "Narrowed between 10 and 50"},
      {"-5", " Higher than -5", "Narrowed between -5 and 50"},
  };
  for (const auto& step : steps) {
    Enter(step.guess);
    game.Tick();
    EXPECT_EQ(fields().hiLo, step.hint);
    EXPECT_EQ(fields().narrowed, step.markers);
  }
}

struct GuessReading {
  const char* text;
  std::int16_t read;
};

TEST_F(GameTest, TypedGuessesAreReadAndRounded) {
  const GuessReading readings[] = {
      {"2.5", 2}, {"3.5", 4},    {"", 0},        {"abc", 0},       {"7x", 7},
      {"-3", -3}, {"1e3", 1000}, {"9e9", 32767}, {"-1e5", -32768}, {"&H1F", 31},
  };
  StartWith(37);
  values().points = 100;
  for (const GuessReading& reading : readings) {
    const int before = values().points;
    Enter(reading.text);
    EXPECT_EQ(values().lastGuess, reading.read) << '"' << reading.text << '"';
    EXPECT_EQ(values().points, before - 1) << "a wrong guess costs a point";
  }
}

TEST_F(GameTest, AGuessAtTheLimitIsAnOrdinaryWrongGuess) {
  StartWith(37);
  fields().cheatMChecked = true;
  Enter("9e9");
  game.Tick();
  EXPECT_EQ(fields().hiLo, " Lower than 32767");
  Enter("-1e5");
  game.Tick();
  EXPECT_EQ(fields().hiLo, " Higher than -32768");
  EXPECT_EQ(fields().narrowed, "Narrowed between -32768 and 32767");
  EXPECT_EQ(values().points, 8);
}

TEST_F(GameTest, OnlyEnterDuringARoundIsAGuess) {
  Enter("37");
  EXPECT_EQ(values().points, 0);
  StartWith(37);
  fields().guessText = "37";
  game.KeyPress('3');
  game.KeyPress(10);
  EXPECT_EQ(values().points, 10);
  EXPECT_EQ(fields().guessText, "37");
  EXPECT_EQ(cues.size(), 1u) << "only the cue of the Start";
}

TEST_F(GameTest, PointsStopAt32767) {
  values().points = 32766;
  game.AddPoint();
  game.AddPoint();
  EXPECT_EQ(values().points, 32767);
  values().points = 32760;
  game.Tick();
  StartWith(37);
  EXPECT_EQ(values().points, 32767) << "the round bonus saturates";
  Enter("37");
  EXPECT_EQ(values().points, 32767) << "so does a right guess";
}

TEST_F(GameTest, RoundsStopAt32767) {
  values().points = 10;
  values().roundNumber = 32766;
  game.Tick();
  EXPECT_EQ(values().rangeTop, 1000);
  EXPECT_EQ(values().roundBonus, 14);
  StartWith(1);
  EXPECT_EQ(values().roundNumber, 32767);
  Enter("1");
  game.Tick();
  StartWith(1);
  EXPECT_EQ(values().roundNumber, 32767);
  EXPECT_EQ(fields().progress, "Round 32767 in progress");
}

TEST_F(GameTest, PointsBelowZeroStopAtTheLimitAndTheTickRepairsThem) {
  StartWith(37);
  values().points = -32767;
  Enter("1");
  Enter("1");
  EXPECT_EQ(values().points, -32768);
  game.Tick();
  EXPECT_EQ(values().points, 0);
  EXPECT_EQ(fields().progress, " Game Over! ");
}

TEST_F(GameTest, ASecondEnterBeforeTheTickIsAnotherGuess) {
  StartWith(37);
  Enter("37");
  game.KeyPress(mystery::kEnterKey);
  EXPECT_EQ(values().lastGuess, 0);
  EXPECT_EQ(values().points, 10);
  game.Tick();
  EXPECT_FALSE(fields().startEnabled) << "the round goes on";
  EXPECT_EQ(fields().hiLo, " Higher than 0");

  values().points = 1;
  Enter("1");
  TakeCues();
  game.KeyPress(mystery::kEnterKey);
  EXPECT_EQ(values().points, -1);
  EXPECT_EQ(TakeCues(), (std::vector<std::int16_t>{Cue::kCueGuess})) << "game over only at exactly 0";
  game.Tick();
  EXPECT_EQ(values().points, 0);
  EXPECT_EQ(fields().progress, " Game Over! ");
}

TEST_F(GameTest, AFreePointBetweenGamesStartsRoundOne) {
  game.AddPoint();
  game.Tick();
  EXPECT_EQ(fields().startCaption, "Start New Round");
  EXPECT_EQ(values().roundNumber, 0);
  StartWith(37);
  EXPECT_EQ(values().roundNumber, 1);
  EXPECT_EQ(values().points, 11);
}

TEST_F(GameTest, AReloadInMidGameContinuesTheScoreAsRoundTwo) {
  StartWith(37);
  Enter("50");
  game.Load();
  EXPECT_TRUE(fields().startEnabled);
  Enter("37");
  EXPECT_EQ(values().points, 9) << "guesses are ignored until the next Start";
  game.Tick();
  EXPECT_EQ(fields().hiLo, " Lower than 50");
  StartWith(37);
  EXPECT_EQ(values().roundNumber, 2);
  EXPECT_EQ(values().points, 19);
}

TEST_F(GameTest, CheatSwitchShowsAndHidesTheAids) {
  fields().cheatChecked = true;
  game.CheatSwitch();
  EXPECT_TRUE(fields().cheatMVisible && fields().pointsPlusVisible && fields().cheatPicVisible &&
              fields().narrowedVisible);
  EXPECT_EQ(fields().narrowed, "") << "shown with the caption it last had";
  fields().cheatMChecked = true;
  game.MarkersSwitch();
  fields().cheatMChecked = false;
  game.MarkersSwitch();
  EXPECT_FALSE(fields().narrowedVisible);
  fields().cheatChecked = false;
  game.CheatSwitch();
  EXPECT_FALSE(fields().cheatMVisible || fields().pointsPlusVisible || fields().cheatPicVisible ||
               fields().narrowedVisible);
  fields().cheatChecked = true;
  game.CheatSwitch();
  EXPECT_TRUE(fields().narrowedVisible);
  EXPECT_EQ(fields().narrowed, "Cheating markers disabled");
  EXPECT_EQ(TakeCues(), (std::vector<std::int16_t>{Cue::kCueCheat, Cue::kCueCheat, Cue::kCueCheat}));
  EXPECT_EQ(values().points, 0) << "cheating costs nothing";
}

TEST_F(GameTest, TheTickKeepsTheMarkersCurrentWhileHidden) {
  StartWith(37);
  fields().cheatChecked = true;
  game.CheatSwitch();
  fields().cheatMChecked = true;
  game.MarkersSwitch();
  fields().cheatChecked = false;
  game.CheatSwitch();
  Enter("60");
  game.Tick();
  EXPECT_FALSE(fields().narrowedVisible);
  EXPECT_EQ(fields().narrowed, "Narrowed between 0 and 60");
}

TEST_F(GameTest, PlaqueFollowsItsState) {
  EXPECT_EQ(game.PlaquePress(), std::nullopt) << "the first press after a load changes nothing";
  EXPECT_EQ(game.PlaqueRelease(), 1);
  EXPECT_EQ(game.PlaqueRelease(), std::nullopt);
  EXPECT_EQ(game.PlaquePress(), 2);
  EXPECT_EQ(game.PlaquePress(), std::nullopt);
  EXPECT_EQ(game.PlaqueRelease(), 1);
  game.Load();
  EXPECT_EQ(game.PlaquePress(), std::nullopt);
}

TEST(ClockRandomTest, DrawsStayBelowOne) {
  mystery::ClockRandom random;
  random.Reseed();
  for (int i = 0; i < 100000; ++i) {
    const double r = random.Draw();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

}  // namespace
