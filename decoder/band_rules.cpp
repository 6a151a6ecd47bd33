#include "decoder/band_rules.h"

namespace bands {
namespace {

const DigitChoice* FirstBandChoice(int option) {
  for (const DigitChoice& choice : kDigitChoices) {
    if (choice.firstBandOption == option) return &choice;
  }
  return nullptr;
}

const DigitChoice* SecondBandChoice(int option) {
  for (const DigitChoice& choice : kDigitChoices) {
    if (choice.secondBandOption == option) return &choice;
  }
  return nullptr;
}

const MultiplierChoice* MultiplierChoiceOf(int option) {
  for (const MultiplierChoice& choice : kMultiplierChoices) {
    if (choice.option == option) return &choice;
  }
  return nullptr;
}

void ChooseDigit(const DigitChoice& choice, Band band, FormValue& digit, BandDisplay& display) {
  digit = choice.digit;
  display.bandvalue[band] = choice.caption;
  display.patch[band] = &choice.colour;
}

void ChooseMultiplier(const MultiplierChoice& choice, DecoderValues& values, BandDisplay& display) {
  values.ohmsSuffix = choice.ohmsSuffix;
  display.bandvalue[kMultiplierBand] = choice.caption;
  display.patch[kMultiplierBand] = &choice.colour;
  // Only the leading point is set here; the refresh takes it away again as
  // soon as another multiplier is chosen.
  switch (choice.marks) {
    case Marks::LeadingPoint:
      values.leadMark = ".";
      values.digitSeparator = "";
      break;
    case Marks::Point:
      values.digitSeparator = ".";
      break;
    case Marks::Comma:
      values.digitSeparator = ",";
      break;
    case Marks::None:
      values.digitSeparator = "";
      break;
  }
}

}  // namespace

void Option_Click(int option, const OptionValues& options, DecoderValues& values, BandDisplay& display) {
  // A handler acts only for its own option while it is selected. Nothing
  // between the steps can change the selection, so one look serves them all.
  if (!options.Value(option)) return;
  if (const DigitChoice* choice = FirstBandChoice(option)) {
    ChooseDigit(*choice, kFirstBand, values.band1Digit, display);
  } else if (const DigitChoice* choice = SecondBandChoice(option)) {
    ChooseDigit(*choice, kSecondBand, values.band2Digit, display);
  } else if (const MultiplierChoice* choice = MultiplierChoiceOf(option)) {
    ChooseMultiplier(*choice, values, display);
  }
}

const char* BandCaption(int option) {
  if (const DigitChoice* choice = FirstBandChoice(option)) return choice->caption;
  if (const DigitChoice* choice = SecondBandChoice(option)) return choice->caption;
  if (const MultiplierChoice* choice = MultiplierChoiceOf(option)) return choice->caption;
  return "";
}

void Timer1_Timer(const OptionValues& options, DecoderValues& values, BandDisplay& display) {
  if (!options.Value(kGreyHundredth)) values.leadMark = "";
  display.readout = values.leadMark.Text() + values.band1Digit.Text() + values.digitSeparator.Text() +
                    values.band2Digit.Text() + values.ohmsSuffix.Text();
}

}  // namespace bands
