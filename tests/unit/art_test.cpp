// The generated default skin, chime and icon, and the skin description kept in the source tree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>

#include "resources/bitmap_file.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const std::string kSkinDir = std::string(HORAVO_ART_DIR) + "/dist/Skins/default/";

std::uint32_t U16(const std::string& b, std::size_t at) {
  return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}
std::uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

std::map<std::string, std::string> ReadSkinIni() {
  const std::string text = ReadFile(std::string(HORAVO_SOURCE_DIR) + "/data/Skins/default/skin.ini");
  std::map<std::string, std::string> values;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    EXPECT_NE(end, std::string::npos) << "last line has no line end";
    if (end == std::string::npos) break;
    EXPECT_TRUE(end > start && text[end - 1] == '\r') << "line ends must be CR LF";
    std::string line = text.substr(start, end - start - 1);
    if (auto eq = line.find('='); eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    start = end + 1;
  }
  return values;
}

TEST(DefaultSkin, FaceIsARoundedPanelWithSeeThroughBlackOnlyInTheCorners) {
  auto face = resources::DecodeBmp(ReadFile(kSkinDir + "main.bmp"));
  ASSERT_TRUE(face);
  ASSERT_EQ(face->width, 180);
  ASSERT_EQ(face->height, 70);
  for (auto [x, y] : {std::pair{0, 0}, {179, 0}, {0, 69}, {179, 69}}) EXPECT_EQ(face->At(x, y), 0u);
  // Black may only trim the ends of a row: every row is one solid run of panel.
  for (int y = 0; y < face->height; ++y) {
    int first = 0, last = face->width - 1;
    while (first < face->width && face->At(first, y) == 0) ++first;
    while (last >= 0 && face->At(last, y) == 0) --last;
    ASSERT_LT(first, 12) << y;
    ASSERT_GT(last, 167) << y;
    for (int x = first; x <= last; ++x) ASSERT_NE(face->At(x, y), 0u) << x << "," << y;
  }
}

TEST(ShippedSkins, EveryPictureHasATwiceAsLargeOneWithTheSameSeeThroughCorners) {
  const std::string skins = std::string(HORAVO_ART_DIR) + "/dist/Skins/";
  for (const auto& [skin, face] : {std::pair{"default", "main"}, {"mini", "mini"}, {"paper", "paper"}}) {
    for (const std::string name : {face, "close_default", "close_undermouse", "close_click", "minim_default",
                                   "minim_undermouse", "minim_click"}) {
      SCOPED_TRACE(std::string(skin) + "/" + name);
      auto small = resources::DecodeBmp(ReadFile(skins + skin + "/" + name + ".bmp"));
      auto large = resources::DecodeBmp(ReadFile(skins + skin + "/" + name + "@2x.bmp"));
      ASSERT_TRUE(small && large);
      EXPECT_EQ(large->width, 2 * small->width);
      EXPECT_EQ(large->height, 2 * small->height);
      // The colour left out (the key) stands in the same corners, and the picture is the same
      // one: its middle has the colour of the small one's middle, give or take the shading.
      for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}})
        EXPECT_EQ(large->At(x, y) == small->BottomLeft(), small->At(0, 0) == small->BottomLeft());
      EXPECT_EQ(large->BottomLeft(), small->BottomLeft());
      const std::uint32_t a = small->At(small->width / 2, small->height / 2);
      const std::uint32_t b = large->At(large->width / 2, large->height / 2);
      for (int shift : {0, 8, 16})
        EXPECT_LE(std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)), 24) << shift;
    }
  }
}

TEST(DefaultSkin, ButtonsAreElevenPixelsWithAnUnusedCornerColour) {
  for (const char* name : {"close_default", "close_undermouse", "close_click", "minim_default", "minim_undermouse",
                           "minim_click"}) {
    SCOPED_TRACE(name);
    auto button = resources::DecodeBmp(ReadFile(kSkinDir + name + ".bmp"));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->width, 11);
    EXPECT_EQ(button->height, 11);
    EXPECT_EQ(button->BottomLeft(), 0xFF00FFu);
    std::map<std::uint32_t, int> colours;
    for (std::uint32_t p : button->pixels) ++colours[p];
    EXPECT_GE(colours.size(), 2u) << "nothing drawn";
  }
}

TEST(DefaultSkin, DescriptionMatchesTheGeneratedPictures) {
  auto ini = ReadSkinIni();
  EXPECT_EQ(ini["NameOfSkin"], "default");
  EXPECT_EQ(ini["TransColor"], "0");
  auto face = resources::DecodeBmp(ReadFile(kSkinDir + ini["Form"]));
  ASSERT_TRUE(face);
  EXPECT_EQ(std::to_string(face->width), ini["FormWidth"]);
  EXPECT_EQ(std::to_string(face->height), ini["FormHeight"]);
  for (const char* key : {"CloseButton_default", "CloseButton_undermouse", "CloseButton_click", "MinimButton_default",
                          "MinimButton_undermouse", "MinimButton_click"})
    EXPECT_TRUE(resources::DecodeBmp(ReadFile(kSkinDir + ini[key]))) << key;
  // Every placed element starts inside the face, buttons wholly inside and clear of each other.
  for (const char* item : {"Date", "Hour", "Min", "Sec", "Div1", "Div2", "CloseBut", "MinimBut"}) {
    SCOPED_TRACE(item);
    ASSERT_TRUE(ini.count(std::string(item) + "PositionLeft"));
    int left = std::stoi(ini[std::string(item) + "PositionLeft"]);
    int top = std::stoi(ini[std::string(item) + "PositionTop"]);
    EXPECT_GE(left, 0);
    EXPECT_GE(top, 0);
    EXPECT_LE(left + 11, face->width);
    EXPECT_LE(top + 11, face->height);
  }
  EXPECT_GE(std::stoi(ini["CloseButPositionLeft"]), std::stoi(ini["MinimButPositionLeft"]) + 11);
  EXPECT_LT(std::stoi(ini["HourPositionLeft"]), std::stoi(ini["Div1PositionLeft"]));
  EXPECT_LT(std::stoi(ini["Div1PositionLeft"]), std::stoi(ini["MinPositionLeft"]));
  EXPECT_LT(std::stoi(ini["MinPositionLeft"]), std::stoi(ini["Div2PositionLeft"]));
  EXPECT_LT(std::stoi(ini["Div2PositionLeft"]), std::stoi(ini["SecPositionLeft"]));
}

TEST(DefaultSkin, PreviewIsAboutTheFaceSize) {
  auto preview = resources::DecodeBmp(ReadFile(kSkinDir + "Preview.bmp"));
  ASSERT_TRUE(preview);
  EXPECT_NEAR(preview->width, 160, 20);
  EXPECT_NEAR(preview->height, 70, 10);
}

TEST(Chime, IsAShortQuietEndingMonoPcmSound) {
  const std::string wav = ReadFile(std::string(HORAVO_ART_DIR) + "/dist/Sound/Beep.wav");
  ASSERT_GE(wav.size(), 44u);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(U32(wav, 4), wav.size() - 8);
  EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(U16(wav, 20), 1u);  // PCM
  EXPECT_EQ(U16(wav, 22), 1u);  // mono
  EXPECT_EQ(U32(wav, 24), 22050u);
  EXPECT_EQ(U16(wav, 34), 16u);
  ASSERT_EQ(wav.substr(36, 4), "data");
  const std::uint32_t bytes = U32(wav, 40);
  ASSERT_EQ(bytes, wav.size() - 44);
  const double seconds = bytes / 2 / 22050.0;
  EXPECT_GT(seconds, 0.2);
  EXPECT_LT(seconds, 0.6);
  int peak = 0;
  for (std::size_t i = 44; i + 1 < wav.size(); i += 2) peak = std::max(peak, std::abs(int(std::int16_t(U16(wav, i)))));
  EXPECT_GT(peak, 8000) << "audible";
  EXPECT_LT(peak, 32767) << "not clipped";
  // Starts and ends at silence, so it does not click.
  EXPECT_LT(std::abs(int(std::int16_t(U16(wav, 44)))), 500);
  EXPECT_LT(std::abs(int(std::int16_t(U16(wav, wav.size() - 2)))), 500);
}

TEST(Icon, Holds16And32PixelPicturesWithAlpha) {
  const std::string ico = ReadFile(std::string(HORAVO_ART_DIR) + "/horavo.ico");
  ASSERT_GE(ico.size(), 6u + 32u);
  EXPECT_EQ(U16(ico, 0), 0u);
  EXPECT_EQ(U16(ico, 2), 1u);
  ASSERT_EQ(U16(ico, 4), 2u);
  for (int i = 0; i < 2; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const int size = std::uint8_t(ico[entry]);
    EXPECT_EQ(size, i == 0 ? 16 : 32);
    EXPECT_EQ(U16(ico, entry + 6), 32u);
    const std::uint32_t length = U32(ico, entry + 8), offset = U32(ico, entry + 12);
    ASSERT_LE(std::uint64_t(offset) + length, ico.size());
    const std::uint32_t maskStride = (size + 31) / 32 * 4;
    EXPECT_EQ(length, 40u + size * size * 4 + maskStride * size);
    EXPECT_EQ(std::int32_t(U32(ico, offset + 8)), 2 * size);
    // Transparent corners, an opaque middle.
    EXPECT_EQ(std::uint8_t(ico[offset + 40 + 3]), 0);
    const std::size_t middle = offset + 40 + (std::size_t(size / 2) * size + size / 2) * 4;
    EXPECT_EQ(std::uint8_t(ico[middle + 3]), 255);
  }
}

}  // namespace
