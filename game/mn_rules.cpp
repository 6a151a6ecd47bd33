#include "game/mn_rules.h"

#include <algorithm>
#include <limits>

#include "core/numbers.h"

namespace mystery {
namespace {

// Sums that would leave the 16-bit range stop at its ends instead of wrapping.
std::int16_t Add(std::int16_t value, int amount) {
  const int sum = std::clamp(value + amount, int{std::numeric_limits<std::int16_t>::min()},
                             int{std::numeric_limits<std::int16_t>::max()});
  return static_cast<std::int16_t>(sum);
}

std::int16_t RangeTopFor(std::int16_t roundNumber) {
  if (roundNumber <= 4) return 100;
  if (roundNumber >= 13) return 1000;
  return static_cast<std::int16_t>((roundNumber - 3) * 100);
}

std::string Joined(const char* text, std::int16_t value) { return text + numbers::Write(value); }

}  // namespace

const char* RatingFor(std::int16_t points) {
  if (points <= 0) return " Ha Ha Ha...You are a looser ";
  if (points < 25) return " Current Rating...Pathetic! ";
  if (points < 50) return " Current Rating...Average! ";
  if (points < 100) return " Current Rating...Good! ";
  if (points < 150) return " Current Rating...Great! ";
  return " Current Rating...Unbelievable! ";
}

Game::Game(std::unique_ptr<RandomSource> random, CueRequest cue) : random_(std::move(random)), cue_(std::move(cue)) {}

void Game::Load() {
  display_ = Display{};
  values_.roundNumber = 1;
  values_.logoState = 1;
  display_.cheatMVisible = false;
  display_.pointsPlusVisible = false;
  display_.cheatPicVisible = false;
  display_.rating = "Current Rating...Not Available";
  display_.narrowedVisible = false;
  display_.startEnabled = true;
  display_.ratingVisible = false;
  display_.scoreBoxVisible = false;
  display_.roundBoxVisible = false;
}

void Game::DeriveRangeAndBonus() {
  GameValues& v = values_;
  v.rangeTop = RangeTopFor(v.roundNumber);
  // Between games the round number is 0 and the bonus of the lost round stays.
  if (v.roundNumber >= 1) v.roundBonus = v.roundNumber <= 9 ? 10 : v.roundNumber <= 19 ? 12 : 14;
}

void Game::Tick() {
  GameValues& v = values_;
  Display& d = display_;
  DeriveRangeAndBonus();
  if (v.lastGuess == v.mysteryValue) {
    d.hiLo = " Correct answer! ";
    d.progress = " Round Over ";
    d.startEnabled = true;
  }
  if (v.lastGuess < v.mysteryValue) {
    v.lowMark = v.lastGuess;
    d.hiLo = Joined(" Higher than ", v.lastGuess);
  }
  if (v.lastGuess > v.mysteryValue) {
    v.highMark = v.lastGuess;
    d.hiLo = Joined(" Lower than ", v.lastGuess);
  }
  if (v.points < 1) {
    v.points = 0;
    d.progress = " Game Over! ";
  }
  if (v.points == 0) {
    v.roundNumber = 0;
    d.startEnabled = true;
    d.startCaption = "Start New Game";
    d.ratingBack = kRed;
    d.ratingFore = kWhite;
  }
  if (v.points > 0) {
    d.ratingBack = kWhite;
    d.ratingFore = kBlack;
    d.startCaption = "Start New Round";
  }
  d.rating = RatingFor(v.points);
  d.scoreBox = Joined("Your score is ", v.points);
  d.roundBox = Joined("You are playing Round # ", v.roundNumber);
  if (d.cheatMChecked) ShowMarkers();
}

void Game::Start() {
  GameValues& v = values_;
  Display& d = display_;
  // Start is enabled before the tick that would bring the values up to date:
  // from the window's load until its first tick, and from the tick that ends
  // a game until the next. It sees what that tick would leave, so that a
  // first round always draws from 1 to 100 and never from a range of 0 or
  // from the lost round's.
  DeriveRangeAndBonus();
  if (v.points < 1) {
    v.points = 0;
    v.roundNumber = 0;
  }
  d.startEnabled = false;
  d.ratingVisible = true;
  d.scoreBoxVisible = true;
  d.roundBoxVisible = true;
  v.roundNumber = Add(v.roundNumber, 1);
  v.points = Add(v.points, v.roundBonus);
  d.mystery = Joined("Mystery number is between 0 and ", v.rangeTop);
  d.guessText.clear();
  random_->Reseed();
  const double r = random_->Draw();
  v.mysteryValue = static_cast<std::int16_t>(static_cast<int>(v.rangeTop * r + 1));
  v.lowMark = 0;
  v.highMark = v.rangeTop;
  v.lastGuess = 0;
  d.pointAward = Joined("Completed round bonus = ", v.roundBonus);
  d.progress = "Round " + numbers::Write(v.roundNumber) + " in progress";
  Request(kCueStart);
}

void Game::KeyPress(std::int16_t keyCode) {
  if (display_.startEnabled || keyCode != kEnterKey) return;
  GameValues& v = values_;
  v.lastGuess = numbers::ToInt16(numbers::Read(display_.guessText));
  Request(kCueGuess);
  if (v.lastGuess != v.mysteryValue) v.points = Add(v.points, -1);
  if (v.lastGuess == v.mysteryValue) {
    v.points = Add(v.points, 1);
    Request(kCueRightGuess);
  }
  display_.guessText.clear();
  if (v.points == 0) Request(kCueGameOver);
}

void Game::AddPoint() { values_.points = Add(values_.points, 1); }

void Game::CheatSwitch() {
  Display& d = display_;
  // The marker text is left as it was: showing it again shows its last caption.
  d.cheatMVisible = d.pointsPlusVisible = d.cheatPicVisible = d.narrowedVisible = d.cheatChecked;
  Request(kCueCheat);
}

void Game::MarkersSwitch() {
  Display& d = display_;
  d.narrowedVisible = d.cheatMChecked;
  if (d.cheatMChecked) {
    ShowMarkers();
  } else {
    d.narrowed = "Cheating markers disabled";
  }
}

std::optional<std::int16_t> Game::PlaquePress() {
  if (values_.logoState != 2) return std::nullopt;
  values_.logoState = 1;
  return kPlaquePressed;
}

std::optional<std::int16_t> Game::PlaqueRelease() {
  if (values_.logoState != 1) return std::nullopt;
  values_.logoState = 2;
  return kPlaqueNormal;
}

void Game::ShowMarkers() {
  display_.narrowed = "Narrowed between " + numbers::Write(values_.lowMark) + " and " +
                      numbers::Write(values_.highMark);
}

}  // namespace mystery
