#include "sound/wave_image.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

void PutChunk(Bytes& out, const std::string& id, const Bytes& payload, bool pad = true) {
  out.insert(out.end(), id.begin(), id.end());
  Put32(out, std::uint32_t(payload.size()));
  out.insert(out.end(), payload.begin(), payload.end());
  if (pad && payload.size() % 2) out.push_back(0);
}

const Bytes kFormat = {1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0};

Bytes File(const std::vector<std::pair<std::string, Bytes>>& chunks) {
  Bytes body = {'W', 'A', 'V', 'E'};
  for (const auto& [id, payload] : chunks) PutChunk(body, id, payload);
  Bytes file = {'R', 'I', 'F', 'F'};
  Put32(file, std::uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

TEST(WaveImage, ReadsFormatSamplesAndChunksPastPadBytes) {
  const Bytes file = File(
      {{"fmt ", kFormat}, {"data", {1, 2, 3}}, {"LIST", {'I', 'N', 'F', 'O'}}, {"acid", Bytes(24)}});
  const auto image = wave::Read(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riffSize, file.size() - 8);
  EXPECT_EQ(image->format, (wave::Format{1, 1, 22050, 22050, 1, 8}));
  EXPECT_EQ(Bytes(image->samples.begin(), image->samples.end()), (Bytes{1, 2, 3}));
  EXPECT_EQ(image->samples.data(), file.data() + 12 + 24 + 8);  // read in place
  ASSERT_EQ(image->chunks.size(), 4u);
  EXPECT_EQ(image->chunks[2].id, "LIST");
  EXPECT_EQ(image->chunks[2].offset, 12u + 24 + 8 + 3 + 1 + 8);
  EXPECT_EQ(image->chunks[3].size, 24u);
}

TEST(WaveImage, RefusesWhatIsNotAWholeWaveFile) {
  const Bytes good = File({{"fmt ", kFormat}, {"data", {1, 2}}});
  ASSERT_TRUE(wave::Read(good));

  Bytes notRiff = good;
  notRiff[0] = 'X';
  Bytes notWave = good;
  notWave[11] = 'X';
  Bytes truncated(good.begin(), good.end() - 1);  // the data chunk runs past the end
  Bytes huge = good;
  huge[good.size() - 6] = 0xFF;  // a data size of nearly 4 GiB
  const Bytes cases[] = {
      {},
      Bytes(good.begin(), good.begin() + 11),
      notRiff,
      notWave,
      truncated,
      huge,
      File({{"data", {1, 2}}}),
      File({{"fmt ", kFormat}}),
      File({{"fmt ", Bytes(kFormat.begin(), kFormat.begin() + 14)}, {"data", {1, 2}}}),
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_FALSE(wave::Read(cases[i])) << "case " << i;
}

TEST(WaveImage, IgnoresAFewStrayBytesAfterTheLastChunk) {
  Bytes file = File({{"fmt ", kFormat}, {"data", {7}}});
  file.insert(file.end(), {0, 0, 0});
  const auto image = wave::Read(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->chunks.size(), 2u);
}

TEST(WaveImage, AnOddLastChunkWithoutItsPadByteEndsTheFile) {
  Bytes file = File({{"fmt ", kFormat}});
  PutChunk(file, "data", {1, 2, 3}, false);
  const auto image = wave::Read(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->chunks.size(), 2u);
  EXPECT_EQ(image->samples.size(), 3u);
}

}  // namespace
