// The WAV reader over arbitrary bytes: it either refuses the image or
// describes one whose chunks and samples all lie inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "sound/wave_image.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const auto image = wave::Read(file);
  if (!image) return 0;
  for (const wave::Chunk& chunk : image->chunks) {
    Check(chunk.id.size() == 4);
    Check(chunk.offset >= 20 && chunk.offset <= size && chunk.size <= size - chunk.offset);
  }
  Check(image->samples.data() >= data && image->samples.size() <= size);
  Check(static_cast<std::size_t>(image->samples.data() - data) <= size - image->samples.size());
  return 0;
}
