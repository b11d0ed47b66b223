#include "resources/bitmap_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>

namespace {

using resources::DecodeBmp;
using resources::EncodeBmp;

void Put16(std::string& s, std::uint32_t v) {
  s.push_back(char(v & 0xFF));
  s.push_back(char((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

// Assembles a bitmap file field by field, so tests can write both sound and broken ones.
struct Bmp {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1, height = 1;
  std::uint32_t bitCount = 24, compression = 0, colorsUsed = 0;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  std::vector<std::uint32_t> masks;    // in the header (52 bytes and up) or after a 40-byte one
  std::string rows;                    // pixel rows exactly as stored
  std::int64_t dataOffset = -1;        // -1: right after the palette

  std::string Build() const {
    std::string info;
    if (headerSize == 12) {
      Put32(info, 12);
      Put16(info, std::uint32_t(width));
      Put16(info, std::uint32_t(height));
      Put16(info, 1);
      Put16(info, bitCount);
    } else {
      Put32(info, headerSize);
      Put32(info, std::uint32_t(width));
      Put32(info, std::uint32_t(height));
      Put16(info, 1);
      Put16(info, bitCount);
      Put32(info, compression);
      Put32(info, std::uint32_t(rows.size()));
      Put32(info, 2835);
      Put32(info, 2835);
      Put32(info, colorsUsed);
      Put32(info, 0);
      std::size_t m = 0;
      for (; m < masks.size() && info.size() < headerSize; ++m) Put32(info, masks[m]);
      info.resize(headerSize, '\0');
      for (; m < masks.size(); ++m) Put32(info, masks[m]);
    }
    for (std::uint32_t c : palette) {
      info.push_back(char(c & 0xFF));
      info.push_back(char((c >> 8) & 0xFF));
      info.push_back(char((c >> 16) & 0xFF));
      if (headerSize != 12) info.push_back('\0');
    }
    const std::uint32_t offset = dataOffset >= 0 ? std::uint32_t(dataOffset) : std::uint32_t(14 + info.size());
    std::string file = "BM";
    Put32(file, std::uint32_t(14 + info.size() + rows.size()));
    Put32(file, 0);
    Put32(file, offset);
    return file + info + rows;
  }
};

ui::Image RandomImage(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  ui::Image image(w, h);
  for (auto& p : image.pixels) p = rng() & 0xFFFFFF;
  return image;
}

TEST(BitmapFile, EncodeThenDecodeGivesTheSamePixelsForEveryRowPadding) {
  for (int w = 1; w <= 5; ++w)
    for (int h = 1; h <= 3; ++h) {
      ui::Image image = RandomImage(w, h, unsigned(w * 10 + h));
      std::string bytes = EncodeBmp(image);
      EXPECT_EQ(bytes.size(), 54u + std::size_t((w * 3 + 3) / 4 * 4) * h);
      auto back = DecodeBmp(bytes);
      ASSERT_TRUE(back) << w << "x" << h;
      EXPECT_EQ(*back, image) << w << "x" << h;
    }
}

TEST(BitmapFile, EncodeWritesABottomUp24BitFile) {
  ui::Image image(2, 2);
  image.At(0, 0) = 0x112233;  // top left
  image.At(0, 1) = 0xAABBCC;  // bottom left
  std::string bytes = EncodeBmp(image);
  ASSERT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(std::uint8_t(bytes[28]), 24);
  // The first stored row is the bottom one, in blue, green, red order.
  EXPECT_EQ(std::uint8_t(bytes[54]), 0xCC);
  EXPECT_EQ(std::uint8_t(bytes[55]), 0xBB);
  EXPECT_EQ(std::uint8_t(bytes[56]), 0xAA);
  EXPECT_EQ(std::uint8_t(bytes[62]), 0x33);
}

TEST(BitmapFile, EncodeRefusesEmptyOrInconsistentImages) {
  EXPECT_EQ(EncodeBmp(ui::Image()), "");
  ui::Image broken(4, 4);
  broken.pixels.resize(3);
  EXPECT_EQ(EncodeBmp(broken), "");
}

TEST(BitmapFile, DecodesOneBitRowsMostSignificantBitFirst) {
  Bmp b;
  b.width = 10;
  b.height = 2;
  b.bitCount = 1;
  b.palette = {0xFF0000, 0x0000FF};
  // Bottom row: 1000000001, top row: 0100000000 (each padded to 4 bytes).
  b.rows = std::string("\x80\x40\0\0", 4) + std::string("\x40\x00\0\0", 4);
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 1), 0x0000FFu);
  EXPECT_EQ(image->At(9, 1), 0x0000FFu);
  EXPECT_EQ(image->At(1, 1), 0xFF0000u);
  EXPECT_EQ(image->At(1, 0), 0x0000FFu);
  EXPECT_EQ(image->At(0, 0), 0xFF0000u);
}

TEST(BitmapFile, DecodesFourBitPixelsWithAShortPalette) {
  Bmp b;
  b.width = 3;
  b.bitCount = 4;
  b.colorsUsed = 3;
  b.palette = {0x000000, 0x808080, 0xFFFFFF};
  b.rows = std::string("\x12\x00\0\0", 4);
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), 0x808080u);
  EXPECT_EQ(image->At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(image->At(2, 0), 0x000000u);
}

TEST(BitmapFile, EightBitTopDownRowsAndIndicesPastThePalette) {
  Bmp b;
  b.width = 2;
  b.height = -2;  // top row first
  b.bitCount = 8;
  b.colorsUsed = 2;
  b.palette = {0x102030, 0x405060};
  b.rows = std::string("\x00\x01\0\0\x01\xC8\0\0", 8);
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  ASSERT_EQ(image->height, 2);
  EXPECT_EQ(image->At(0, 0), 0x102030u);
  EXPECT_EQ(image->At(1, 0), 0x405060u);
  EXPECT_EQ(image->At(0, 1), 0x405060u);
  EXPECT_EQ(image->At(1, 1), 0u) << "index 200 lies past a two-colour palette";
}

TEST(BitmapFile, SixteenBitDefaultsTo555AndHonoursBitFields) {
  Bmp b;
  b.bitCount = 16;
  b.rows = std::string("\x1F\x7C\0\0", 4);  // 0x7C1F: full red and blue, no green
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), 0xFF00FFu);

  b.compression = 3;
  b.masks = {0xF800, 0x07E0, 0x001F};
  b.rows = std::string("\xE0\x07\0\0", 4);  // 0x07E0: full green in 5-6-5
  image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), 0x00FF00u);
}

TEST(BitmapFile, ThirtyTwoBitIgnoresAlphaAndReadsMasksInOrAfterTheHeader) {
  Bmp b;
  b.bitCount = 32;
  b.rows = std::string("\x30\x20\x10\x7F", 4);
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), 0x102030u);

  // Red in the low byte: masks after a 40-byte header, then inside a 108-byte one.
  b.compression = 3;
  b.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  for (std::uint32_t header : {40u, 108u, 124u}) {
    b.headerSize = header;
    image = DecodeBmp(b.Build());
    ASSERT_TRUE(image) << header;
    EXPECT_EQ(image->At(0, 0), 0x302010u) << header;
  }
}

TEST(BitmapFile, ReadsTheOldTwelveByteHeaderWithThreeBytePalette) {
  Bmp b;
  b.headerSize = 12;
  b.width = 2;
  b.bitCount = 8;
  b.palette.assign(256, 0);
  b.palette[5] = 0xABCDEF;
  b.rows = std::string("\x05\x00\0\0", 4);
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), 0xABCDEFu);
  EXPECT_EQ(image->At(1, 0), 0u);
}

TEST(BitmapFile, RejectsMalformedFiles) {
  auto valid = [] {
    Bmp b;
    b.width = 2;
    b.height = 2;
    b.rows = std::string(16, '\x7F');
    return b;
  };
  ASSERT_TRUE(DecodeBmp(valid().Build()));
  std::vector<std::pair<std::string, std::string>> cases;
  auto add = [&](const char* name, auto change) {
    Bmp b = valid();
    change(b);
    cases.emplace_back(name, b.Build());
  };
  add("zero width", [](Bmp& b) { b.width = 0; });
  add("negative width", [](Bmp& b) { b.width = -2; });
  add("zero height", [](Bmp& b) { b.height = 0; });
  add("most negative height", [](Bmp& b) { b.height = INT_MIN; });
  add("width past the limit", [](Bmp& b) { b.width = resources::kMaxBitmapSide + 1; });
  add("two bits per pixel", [](Bmp& b) { b.bitCount = 2; });
  add("no bits per pixel", [](Bmp& b) { b.bitCount = 0; });
  add("run-length 8 on 4-bit pixels", [](Bmp& b) { b.bitCount = 4; b.compression = 1; b.palette.assign(16, 0); });
  add("run-length 4 on 8-bit pixels", [](Bmp& b) { b.bitCount = 8; b.compression = 2; b.palette.assign(256, 0); });
  add("run-length top-down", [](Bmp& b) { b.bitCount = 8; b.compression = 1; b.height = -2; b.palette.assign(256, 0); });
  add("JPEG payload", [](Bmp& b) { b.compression = 4; });
  add("bit fields on 24 bits", [](Bmp& b) { b.compression = 3; b.masks = {0xFF0000, 0xFF00, 0xFF}; });
  add("header size 20", [](Bmp& b) { b.headerSize = 20; });
  add("header size 4000", [](Bmp& b) { b.headerSize = 4000; });
  add("300 palette colours", [](Bmp& b) { b.bitCount = 8; b.colorsUsed = 300; });
  add("palette past the end", [](Bmp& b) { b.bitCount = 8; b.colorsUsed = 200; b.palette.assign(2, 0); b.rows.clear(); });
  add("data inside the header", [](Bmp& b) { b.dataOffset = 20; });
  add("data past the end", [](Bmp& b) { b.dataOffset = 1 << 30; });
  add("last row one byte short", [](Bmp& b) { b.rows.pop_back(); });
  cases.emplace_back("empty", "");
  cases.emplace_back("magic only", "BM");
  cases.emplace_back("other magic", "XX" + valid().Build().substr(2));
  for (const auto& [name, bytes] : cases) EXPECT_FALSE(DecodeBmp(bytes)) << name;
}

TEST(BitmapFile, HugeDimensionsWithLittleDataAreRefusedBeforeAllocating) {
  Bmp b;
  b.width = resources::kMaxBitmapSide;
  b.height = -resources::kMaxBitmapSide;
  b.bitCount = 32;
  b.rows = std::string(64, '\0');
  EXPECT_FALSE(DecodeBmp(b.Build()));
  b.bitCount = 1;
  b.palette = {0, 0xFFFFFF};
  EXPECT_FALSE(DecodeBmp(b.Build()));
}

// A picture of far more pixels than any screen shows is refused even when every row is there.
TEST(BitmapFile, PicturesAboveThePixelLimitAreRefused) {
  Bmp b;
  b.width = resources::kMaxBitmapSide;
  b.height = resources::kMaxBitmapSide;
  b.bitCount = 1;
  b.palette = {0, 0xFFFFFF};
  b.rows.assign(std::size_t(b.width / 8) * std::size_t(b.height), '\x55');  // 32 MB, all of it present
  EXPECT_FALSE(DecodeBmp(b.Build()));

  b.width = 4096;
  b.height = 4096;  // exactly at the limit
  b.rows.resize(std::size_t(b.width / 8) * std::size_t(b.height));
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(std::int64_t(image->pixels.size()), resources::kMaxBitmapPixels);
  b.height = 4097;
  b.rows.resize(std::size_t(b.width / 8) * std::size_t(b.height));
  EXPECT_FALSE(DecodeBmp(b.Build()));
}

// Run-length pictures: runs, end of line, a move, pixels stored as they are with their padding,
// and the end mark. Pixels the data never reaches take the first palette colour.
TEST(BitmapFile, DecodesRunLengthEightBitPictures) {
  Bmp b;
  b.width = 5;
  b.height = 3;
  b.bitCount = 8;
  b.compression = 1;
  b.colorsUsed = 4;
  b.palette = {0x000010, 0x000020, 0x000030, 0x000040};
  b.rows = std::string("\x03\x01"                  // bottom row: three of colour 1,
                       "\x00\x03\x02\x03\x00\x00"  // then 2, 3, 0 as they are (padded), the 0 cut off
                       "\x00\x00"                  // end of line
                       "\x00\x02\x04\x00"          // move four right
                       "\x02\x02"                  // two of colour 2, the second cut off
                       "\x00\x00"                  // end of line
                       "\x09\x03"                  // top row: a run longer than the row
                       "\x00\x01"                  // end of the picture
                       "\x05\x01",                 // past the end: ignored
                       24);
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  const std::vector<std::uint32_t> expected = {
      0x40, 0x40, 0x40, 0x40, 0x40,  // top
      0x10, 0x10, 0x10, 0x10, 0x30,  // middle: untouched but its last pixel
      0x20, 0x20, 0x20, 0x30, 0x40,  // bottom
  };
  EXPECT_EQ(image->pixels, expected);
  EXPECT_FALSE(image->twoColour);

  // Data that stops without its end mark gives what it describes.
  b.rows = std::string("\x02\x03", 2);
  image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(1, 2), 0x40u);
  EXPECT_EQ(image->At(2, 2), 0x10u);
  EXPECT_EQ(image->At(0, 0), 0x10u);
}

TEST(BitmapFile, DecodesRunLengthFourBitPictures) {
  Bmp b;
  b.width = 6;
  b.height = 2;
  b.bitCount = 4;
  b.compression = 2;
  b.palette.assign(16, 0);
  for (std::uint32_t i = 0; i < 16; ++i) b.palette[i] = i;
  b.rows = std::string("\x05\x12\x00\x01", 4);  // bottom row: 1 2 1 2 1, the halves in turn; end
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0, 1, 2, 1, 2, 1, 0}));

  b.rows = std::string("\x00\x03\xAB\xC0"          // three stored pixels A B C, padded to 16 bits
                       "\x03\x45"                  // then 4 5 4
                       "\x00\x00"                  // end of line
                       "\x00\x05\x12\x34\x50\x00"  // five stored pixels 1 2 3 4 5
                       "\x00\x01",
                       16);
  image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 0, 0xA, 0xB, 0xC, 4, 5, 4}));
}

// A two-colour picture leaves out white, whatever its bottom-left pixel; others that pixel.
TEST(BitmapFile, TwoColourPicturesAreKeyedOnWhite) {
  Bmp b;
  b.width = 2;
  b.height = 2;
  b.bitCount = 1;
  b.palette = {0x000000, 0xFFFFFF};
  b.rows = std::string("\x40\0\0\0\x80\0\0\0", 8);  // bottom row black, white; top row white, black
  auto image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->twoColour);
  EXPECT_EQ(image->BottomLeft(), 0x000000u);
  EXPECT_EQ(image->TransparentKey(), 0xFFFFFFu);

  b.bitCount = 4;
  b.colorsUsed = 2;
  b.rows = std::string("\x01\0\0\0\x10\0\0\0", 8);
  image = DecodeBmp(b.Build());
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->twoColour);
  EXPECT_EQ(image->TransparentKey(), 0x000000u);
}

TEST(BitmapFile, EveryTruncationIsRefusedAndBitFlipsNeverBreakTheDecoder) {
  Bmp paletted;
  paletted.width = 5;
  paletted.height = 3;
  paletted.bitCount = 8;
  paletted.colorsUsed = 4;
  paletted.palette = {1, 2, 3, 4};
  paletted.rows = std::string(24, '\x02');
  const std::string files[] = {EncodeBmp(RandomImage(7, 5, 1)), paletted.Build()};
  std::mt19937 rng(12345);
  for (const std::string& file : files) {
    ASSERT_TRUE(DecodeBmp(file));
    for (std::size_t n = 0; n < file.size(); ++n) EXPECT_FALSE(DecodeBmp(file.substr(0, n))) << n;
    for (int round = 0; round < 4000; ++round) {
      std::string bad = file;
      const int flips = 1 + int(rng() % 4);
      for (int i = 0; i < flips; ++i) bad[rng() % bad.size()] ^= char(1 << (rng() % 8));
      auto image = DecodeBmp(bad);
      if (!image) continue;
      EXPECT_GT(image->width, 0);
      EXPECT_GT(image->height, 0);
      ASSERT_EQ(image->pixels.size(), std::size_t(image->width) * image->height);
      EXPECT_LE(image->pixels.size() * 4, 64 * bad.size()) << "memory out of proportion to the input";
    }
  }
}

// The generated image library, and the resource script that lists it.

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const char* const kLibraryNames[] = {
    "PL",      "SCHEME", "CONFIG",      "COMPUTER", "TOTRAY",      "FROM_TRAY", "EXIT", "HELP",
    "WWW",     "ADDEVENT", "DELEVENT",  "OKEVENT",  "CANCELEVENT", "SPEAKER",   "BROWSE", "RUNFILETEST",
    "FOTO",    "MAIL",   "DATE",        "TIME",     "OK",          "MAIL2",     "DELIVERY"};

TEST(ImageLibrary, EveryPictureIsASmallGlyphOnItsSeeThroughColour) {
  for (const char* name : kLibraryNames) {
    SCOPED_TRACE(name);
    auto image = DecodeBmp(ReadFile(std::string(HORAVO_ART_DIR) + "/images/" + name + ".bmp"));
    ASSERT_TRUE(image);
    if (std::string(name) == "DELIVERY") {
      EXPECT_GE(image->width, 32);
      EXPECT_EQ(image->width, image->height);
    } else {
      EXPECT_EQ(image->width, 16);
      EXPECT_EQ(image->height, 16);
    }
    const std::uint32_t key = image->BottomLeft();
    EXPECT_EQ(key, 0xFF00FFu);
    std::size_t drawn = 0;
    for (std::uint32_t p : image->pixels) drawn += p != key;
    EXPECT_GE(drawn * 5, image->pixels.size()) << "too little of the glyph is drawn";
    EXPECT_LT(drawn, image->pixels.size()) << "no see-through background";
  }
}

TEST(ImageLibrary, ResourceScriptListsExactlyTheGeneratedPictures) {
  const std::string script = ReadFile(std::string(HORAVO_SOURCE_DIR) + "/resources/win32/images.rc");
  std::regex line(R"re("?(\w+)"?\s+BITMAP\s+"images/(\w+)\.bmp")re");
  std::vector<std::string> listed;
  for (std::sregex_iterator it(script.begin(), script.end(), line), end; it != end; ++it) {
    EXPECT_EQ((*it)[1], (*it)[2]) << "resource name and file differ";
    listed.push_back((*it)[1]);
  }
  std::vector<std::string> expected(std::begin(kLibraryNames), std::end(kLibraryNames));
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
}

}  // namespace
