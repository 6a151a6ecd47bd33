#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What a player needs from a RIFF/WAVE file image, read in place.
namespace wave {

struct Chunk {
  std::string id;
  std::size_t offset = 0;  // of the chunk's payload in the image
  std::uint32_t size = 0;  // of the payload, without the pad byte
};

struct Format {
  std::uint16_t tag = 0;  // 1 for PCM
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSecond = 0;
  std::uint32_t bytesPerSecond = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;

  bool operator==(const Format&) const = default;
};

struct Image {
  std::uint32_t riffSize = 0;  // as the header states it
  std::vector<Chunk> chunks;   // in file order
  Format format;
  std::span<const std::uint8_t> samples;  // the "data" payload
};

// Reads the header and chunk list of a file image. Nothing when it is not a
// WAVE file, lacks a "fmt " or "data" chunk, or a chunk runs past the end.
std::optional<Image> Read(std::span<const std::uint8_t> file);

}  // namespace wave
