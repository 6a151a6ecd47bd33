#include "sound/wave_image.h"

#include <cstring>

namespace wave {
namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

}  // namespace

std::optional<Image> Read(std::span<const std::uint8_t> file) {
  if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  Image image;
  image.riffSize = Le32(file.data() + 4);
  bool haveFormat = false, haveData = false;
  std::size_t at = 12;
  while (file.size() - at >= 8) {
    Chunk chunk{std::string(reinterpret_cast<const char*>(file.data() + at), 4), at + 8, Le32(file.data() + at + 4)};
    if (chunk.size > file.size() - chunk.offset) return std::nullopt;
    const std::uint8_t* payload = file.data() + chunk.offset;
    if (chunk.id == "fmt " && chunk.size >= 16) {
      image.format = {Le16(payload),     Le16(payload + 2),  Le32(payload + 4),
                      Le32(payload + 8), Le16(payload + 12), Le16(payload + 14)};
      haveFormat = true;
    } else if (chunk.id == "data") {
      image.samples = file.subspan(chunk.offset, chunk.size);
      haveData = true;
    }
    image.chunks.push_back(chunk);
    at = chunk.offset + chunk.size;
    // The pad byte of an odd-sized last chunk may be missing.
    if (chunk.size & 1 && at < file.size()) ++at;
  }
  if (!haveFormat || !haveData) return std::nullopt;
  return image;
}

}  // namespace wave
