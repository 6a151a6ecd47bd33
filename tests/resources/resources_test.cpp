#include "resources/resources.h"

#include <algorithm>
#include <cstring>

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "core/runtime_error.h"
#include "resources/sound_table.h"
#include "sound/wave_image.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le32(const Bytes& bytes, std::size_t at) {
  std::uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

std::uint16_t Le16(const Bytes& bytes, std::size_t at) {
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}

using resources::SoundCueSize;

}  // namespace

namespace resources {
void PrintTo(const SoundCueSize& row, std::ostream* out) { *out << "WAV " << row.id; }
}  // namespace resources

namespace {

class SoundResource : public ::testing::TestWithParam<SoundCueSize> {};

TEST_P(SoundResource, IsTheFileTheTableDescribes) {
  const SoundCueSize& row = GetParam();
  const Bytes file = resources::LoadResData(row.id, "WAV");
  ASSERT_EQ(file.size(), row.fileSize);
  const auto image = wave::Read(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riffSize, row.fileSize - 8);

  std::vector<std::string> ids;
  for (const auto& chunk : image->chunks) ids.push_back(chunk.id);
  std::vector<std::string> chunks = {"fmt ", "data", "LIST"};
  if (row.acid) chunks.push_back("acid");
  EXPECT_EQ(ids, chunks);
  EXPECT_EQ(image->chunks[0].size, 16u);
  EXPECT_EQ(image->format, (wave::Format{1, 1, 22050, 22050, 1, 8}));
  EXPECT_EQ(image->samples.size(), row.samples);

  // The odd data chunk is followed by its pad byte, then the metadata, which
  // ends exactly at the end of the file.
  const wave::Chunk& data = image->chunks[1];
  ASSERT_EQ(data.size % 2, 1u);
  EXPECT_EQ(file[data.offset + data.size], 0);
  EXPECT_EQ(image->chunks[2].offset, data.offset + data.size + 1 + 8);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data() + image->chunks[2].offset), 4), "INFO");
  const wave::Chunk& last = image->chunks.back();
  EXPECT_EQ(last.offset + last.size + (last.size & 1), file.size());
}

// Shaped sound from the first sample to the last: starts and ends at rest,
// never clips, never pads with a flat stretch, and is loud enough to hear.
TEST_P(SoundResource, SoundsFromStartToEndWithoutClicksOrClipping) {
  const Bytes file = resources::LoadResData(GetParam().id, "WAV");
  const auto image = wave::Read(file);
  ASSERT_TRUE(image);
  const auto samples = image->samples;
  EXPECT_NEAR(samples.front(), 128, 1);
  EXPECT_NEAR(samples.back(), 128, 1);
  const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
  EXPECT_GT(*low, 0);
  EXPECT_LT(*high, 255);
  EXPECT_GE(std::max(128 - *low, *high - 128), 90);

  std::size_t run = 1, longest = 1;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    run = samples[i] == samples[i - 1] ? run + 1 : 1;
    longest = std::max(longest, run);
  }
  EXPECT_LE(longest, 22050u / 10) << "a flat stretch of " << longest << " samples";
}

INSTANTIATE_TEST_SUITE_P(Table, SoundResource, ::testing::ValuesIn(resources::kSoundCueSizes),
                         [](const auto& info) { return "Wav" + std::to_string(info.param.id); });

TEST(Resources, TypeNamesMatchWhateverTheirCase) {
  EXPECT_EQ(resources::LoadResData(2, "wav"), resources::LoadResData(2, "WAV"));
}

TEST(Resources, MissingResourcesRaiseTheResourceError) {
  for (auto [id, type] : {std::pair{0, "WAV"}, {6, "WAV"}, {-1, "WAV"}, {1, "WAVE"}, {3, "BITMAP"}}) {
    try {
      resources::LoadResData(id, type);
      ADD_FAILURE() << type << " " << id << " was found";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), RuntimeError::kResourceNotFound);
      EXPECT_STREQ(error.what(), ("Resource with identifier '" + std::to_string(id) + "' not found").c_str());
    }
  }
  try {
    resources::LoadResPicture(3);
    ADD_FAILURE() << "bitmap 3 was found";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), RuntimeError::kResourceNotFound);
  }
}

// The plaque is stored as the table has it and loads as the same picture,
// the first stored row being the bottom one.
TEST(Resources, PlaqueBitmapsAreBottomUp24BitPictures) {
  for (int id : {1, 2}) {
    SCOPED_TRACE(id);
    const Bytes dib = resources::LoadResData(id, "BITMAP");
    ASSERT_EQ(dib.size(), 22508u);
    EXPECT_EQ(Le32(dib, 0), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(dib, 4)), 192);
    EXPECT_EQ(static_cast<std::int32_t>(Le32(dib, 8)), 39);
    EXPECT_EQ(Le16(dib, 12), 1);
    EXPECT_EQ(Le16(dib, 14), 24);
    EXPECT_EQ(Le32(dib, 16), 0u);

    const QImage picture = resources::LoadResPicture(id).toImage();
    ASSERT_EQ(picture.size(), QSize(192, 39));
    const std::size_t stride = 192 * 3;
    for (auto [x, y] : {std::pair{0, 0}, {96, 19}, {191, 38}, {40, 5}, {150, 30}}) {
      const std::size_t at = 40 + (38 - y) * stride + x * 3;
      EXPECT_EQ(picture.pixel(x, y), qRgb(dib[at + 2], dib[at + 1], dib[at])) << x << "," << y;
    }
  }
  EXPECT_NE(resources::LoadResPicture(1).toImage(), resources::LoadResPicture(2).toImage());
}

QImage IconFromResource() {
  const Bytes dib = resources::LoadResData(30001, "ICON");
  QImage image(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint8_t pair = dib[40 + 64 + (31 - y) * 16 + x / 2];
      const int index = x % 2 ? pair & 15 : pair >> 4;
      const bool clear = dib[40 + 64 + 512 + (31 - y) * 4 + x / 8] & (0x80 >> (x % 8));
      const std::size_t entry = 40 + index * 4;
      image.setPixel(x, y, clear ? 0u : qRgb(dib[entry + 2], dib[entry + 1], dib[entry]));
    }
  }
  return image;
}

TEST(Resources, IconIs32By32In16ColoursAndIsTheWindowIcon) {
  const Bytes icon = resources::LoadResData(30001, "ICON");
  ASSERT_EQ(icon.size(), 744u);
  EXPECT_EQ(Le32(icon, 4), 32u);
  EXPECT_EQ(Le32(icon, 8), 64u);  // picture and mask
  EXPECT_EQ(Le16(icon, 14), 4);

  const Bytes group = resources::LoadResData(1, "GROUP_ICON");
  ASSERT_EQ(group.size(), 20u);
  EXPECT_EQ(Le16(group, 4), 1);       // one entry
  EXPECT_EQ(group[6], 32);            // width
  EXPECT_EQ(group[7], 32);            // height
  EXPECT_EQ(group[8], 16);            // colours
  EXPECT_EQ(Le32(group, 14), 744u);   // bytes of the icon
  EXPECT_EQ(Le16(group, 18), 30001);  // its id

  const QImage window(QStringLiteral(":/icons/kelvaro.png"));
  ASSERT_EQ(window.size(), QSize(32, 32));
  EXPECT_EQ(window.convertToFormat(QImage::Format_ARGB32), IconFromResource());
}

}  // namespace
