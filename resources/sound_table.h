#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include <cstddef>
#include <cstdint>

// The five sound cues as the executable carries them. resources/tools/make_sounds.py
// reads its sizes from this table, so one row here is the whole story of a cue's size.
namespace resources {

struct SoundCueSize {
  int id;
  std::size_t fileSize;   // the whole RIFF/WAVE image
  std::uint32_t samples;  // in the data chunk
  bool acid;              // an "acid" chunk after the metadata
};

inline constexpr SoundCueSize kSoundCueSizes[] = {
    {1, 79044, 78847, true},
    {2, 94292, 94175, false},
    {3, 137844, 137727, false},
    {4, 75572, 75455, false},
    {5, 100596, 100479, false},
};

}  // namespace resources
// clang-format on
