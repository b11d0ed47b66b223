#include "resources/jpeg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <jpeglib.h>
#include <random>
#include <sstream>
#include <vector>

namespace {

using resources::DecodeJpeg;

// Writes a JPEG with libjpeg itself; `sample` gives the component values of each pixel.
std::string Encode(int w, int h, int components, J_COLOR_SPACE space, bool progressive,
                   const std::function<void(int, int, JSAMPLE*)>& sample) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = JDIMENSION(w);
  c.image_height = JDIMENSION(h);
  c.input_components = components;
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  if (progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(std::size_t(w) * components);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < w; ++x) sample(x, int(c.next_scanline), &row[std::size_t(x) * components]);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&c);
  std::free(buffer);
  return out;
}

std::string Solid(int w, int h, int r, int g, int b, bool progressive = false) {
  return Encode(w, h, 3, JCS_RGB, progressive, [&](int, int, JSAMPLE* p) {
    p[0] = JSAMPLE(r);
    p[1] = JSAMPLE(g);
    p[2] = JSAMPLE(b);
  });
}

void ExpectNear(std::uint32_t pixel, int r, int g, int b, int tolerance = 4) {
  EXPECT_NEAR(int(pixel >> 16), r, tolerance);
  EXPECT_NEAR(int((pixel >> 8) & 0xFF), g, tolerance);
  EXPECT_NEAR(int(pixel & 0xFF), b, tolerance);
}

TEST(Jpeg, DecodesColourGreyAndProgressivePictures) {
  auto colour = DecodeJpeg(Solid(17, 13, 200, 100, 50));
  ASSERT_TRUE(colour);
  EXPECT_EQ(colour->width, 17);
  EXPECT_EQ(colour->height, 13);
  ASSERT_EQ(colour->pixels.size(), 17u * 13u);
  ExpectNear(colour->At(16, 12), 200, 100, 50);

  auto progressive = DecodeJpeg(Solid(40, 24, 30, 60, 220, true));
  ASSERT_TRUE(progressive);
  ExpectNear(progressive->At(20, 12), 30, 60, 220);

  auto grey = DecodeJpeg(Encode(8, 8, 1, JCS_GRAYSCALE, false, [](int x, int, JSAMPLE* p) { *p = JSAMPLE(x * 32); }));
  ASSERT_TRUE(grey);
  for (int x = 0; x < 8; ++x) {
    std::uint32_t p = grey->At(x, 3);
    EXPECT_EQ(p >> 16, p & 0xFF);
    EXPECT_EQ((p >> 8) & 0xFF, p & 0xFF);
  }
  EXPECT_LT(grey->At(0, 3) & 0xFF, grey->At(7, 3) & 0xFF);
}

TEST(Jpeg, ConvertsInvertedCmykToColour) {
  // Stored the way Adobe software writes it: 255 means no ink.
  auto image = DecodeJpeg(Encode(8, 8, 4, JCS_CMYK, false, [](int, int, JSAMPLE* p) {
    p[0] = 255;  // no cyan
    p[1] = 0;    // full magenta
    p[2] = 255;  // no yellow
    p[3] = 255;  // no black
  }));
  ASSERT_TRUE(image);
  ExpectNear(image->At(4, 4), 255, 0, 255, 6);
}

TEST(Jpeg, GarbageGivesNothing) {
  std::mt19937 rng(7);
  std::string noise(2000, '\0');
  for (char& c : noise) c = char(rng());
  const std::string inputs[] = {"", "abc", std::string("\xFF\xD8", 2), std::string("\xFF\xD8\xFF\xD9", 4),
                                "\x89PNG\r\n\x1a\n", noise, std::string("\xFF\xD8\xFF", 3) + noise};
  for (const auto& bytes : inputs) EXPECT_FALSE(DecodeJpeg(bytes)) << bytes.size();
}

TEST(Jpeg, EveryTruncationIsRefused) {
  const std::string file = Solid(24, 16, 90, 140, 200);
  ASSERT_TRUE(DecodeJpeg(file));
  for (std::size_t n = 0; n < file.size(); ++n) EXPECT_FALSE(DecodeJpeg(file.substr(0, n))) << n << " bytes";
}

// Rewrites the frame header's height and width.
std::string WithSize(std::string file, int w, int h) {
  for (std::size_t i = 2; i + 9 < file.size(); ++i)
    if (std::uint8_t(file[i]) == 0xFF && (std::uint8_t(file[i + 1]) == 0xC0 || std::uint8_t(file[i + 1]) == 0xC2)) {
      file[i + 5] = char(h >> 8);
      file[i + 6] = char(h & 0xFF);
      file[i + 7] = char(w >> 8);
      file[i + 8] = char(w & 0xFF);
      return file;
    }
  ADD_FAILURE() << "no frame header";
  return file;
}

TEST(Jpeg, OversizedOrEmptyFramesAreRefusedWithoutDecoding) {
  const std::string file = Solid(16, 16, 10, 20, 30);
  EXPECT_FALSE(DecodeJpeg(WithSize(file, 65000, 65000)));
  EXPECT_FALSE(DecodeJpeg(WithSize(file, resources::kMaxJpegSide + 1, 8)));
  EXPECT_FALSE(DecodeJpeg(WithSize(file, 8192, 8192))) << "past the pixel limit";
  EXPECT_FALSE(DecodeJpeg(WithSize(file, 16, 0)));
  // Claiming a larger frame than the data holds runs out of data: refused, not padded with grey.
  EXPECT_FALSE(DecodeJpeg(WithSize(file, 64, 64)));
}

TEST(Jpeg, CorruptedBytesNeverBreakTheDecoder) {
  const std::string files[] = {Solid(32, 24, 120, 80, 40), Solid(32, 24, 40, 80, 120, true)};
  std::mt19937 rng(99);
  for (const std::string& file : files)
    for (int round = 0; round < 1500; ++round) {
      std::string bad = file;
      const int flips = 1 + int(rng() % 6);
      for (int i = 0; i < flips; ++i) bad[rng() % bad.size()] = char(rng());
      auto image = DecodeJpeg(bad);
      if (!image) continue;
      ASSERT_EQ(image->pixels.size(), std::size_t(image->width) * image->height);
      EXPECT_LE(long(image->pixels.size()), resources::kMaxJpegPixels);
    }
}

// The window backgrounds generated for the program's resources.

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Backgrounds, AreLightSmoothAndTheExpectedSize) {
  struct {
    const char* name;
    int width, height, skipRows;
  } const backgrounds[] = {{"GRADIENTBIG", 720, 520, 0}, {"GRADIENTSMALL", 400, 300, 0}, {"GRADIENTSMALLBOTTOM", 400, 60, 3}};
  for (const auto& bg : backgrounds) {
    SCOPED_TRACE(bg.name);
    auto image = DecodeJpeg(ReadFile(std::string(HORAVO_ART_DIR) + "/jpeg/" + bg.name + ".jpg"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, bg.width);
    EXPECT_EQ(image->height, bg.height);
    int darkest = 255, steepest = 0;
    for (int y = bg.skipRows; y < image->height; ++y)
      for (int x = 0; x < image->width; ++x) {
        std::uint32_t p = image->At(x, y);
        int luma = int((p >> 16) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000;
        darkest = std::min(darkest, luma);
        if (x > 0) {
          std::uint32_t q = image->At(x - 1, y);
          for (int s = 0; s <= 16; s += 8) steepest = std::max(steepest, std::abs(int((p >> s) & 0xFF) - int((q >> s) & 0xFF)));
        }
      }
    EXPECT_GE(darkest, 190) << "black text must stay readable";
    EXPECT_LE(steepest, 8) << "a soft gradient has no edges";
  }
}

}  // namespace
