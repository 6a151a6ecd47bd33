#include "sound/module1.h"

#include <gtest/gtest.h>

#include "core/runtime_error.h"
#include "resources/resources.h"
#include "support/window_test.h"

namespace {

int ErrorNumberOfCue(FormValue id) {
  Module1::soundCueId = id;
  try {
    Module1::PlaySoundCue();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

TEST(Module1, StartsEmptyAndKeepsTheLastImageAndId) {
  EXPECT_TRUE(Module1::soundCueId.IsEmpty());
  EXPECT_TRUE(Module1::soundBuffer.empty());

  for (std::int16_t id : {3, 1, 5}) {
    Module1::soundCueId = id;
    Module1::PlaySoundCue();
    EXPECT_EQ(Module1::soundBuffer, resources::LoadResData(id, "WAV"));
    EXPECT_EQ(Module1::soundCueId, FormValue(id));
  }
  // Without a new id the same sound plays again, from a fresh copy.
  Module1::PlaySoundCue();
  EXPECT_EQ(Module1::soundBuffer, resources::LoadResData(5, "WAV"));
  ProcessEvents();
}

TEST(Module1, AMissingSoundRaisesTheResourceErrorAndKeepsTheBuffer) {
  Module1::soundCueId = std::int16_t{2};
  Module1::PlaySoundCue();
  EXPECT_EQ(ErrorNumberOfCue(std::int16_t{6}), RuntimeError::kResourceNotFound);
  EXPECT_EQ(ErrorNumberOfCue(std::int16_t{0}), RuntimeError::kResourceNotFound);
  EXPECT_EQ(ErrorNumberOfCue(FormValue()), RuntimeError::kResourceNotFound);
  EXPECT_EQ(Module1::soundBuffer, resources::LoadResData(2, "WAV"));
  ProcessEvents();
}

TEST(Module1, AnEmptySoundRaisesSubscriptOutOfRange) {
  EXPECT_EQ(ErrorNumberOfCue(std::int16_t{9}), RuntimeError::kSubscriptOutOfRange);
  EXPECT_TRUE(Module1::soundBuffer.empty());
}

TEST(Module1, IdsStoredAsOtherNumbersAreRoundedToIntegers) {
  EXPECT_EQ(ErrorNumberOfCue(4.4), 0);
  EXPECT_EQ(Module1::soundBuffer, resources::LoadResData(4, "WAV"));
  EXPECT_EQ(ErrorNumberOfCue("1"), 0);
  EXPECT_EQ(Module1::soundBuffer, resources::LoadResData(1, "WAV"));
  ProcessEvents();
}

}  // namespace
