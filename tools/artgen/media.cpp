#include "tools/artgen/media.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <random>
#include <stdexcept>
#include <vector>

#include "tools/artgen/canvas.h"

namespace artgen {
namespace {

void Put16(std::string& out, std::uint32_t v) {
  out.push_back(char(v & 0xFF));
  out.push_back(char((v >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

double Smooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// A calm light gradient: blue-grey in one corner easing to near white, with a faint glow.
// Tiny random dither keeps the JPEG free of visible bands.
ui::Image Gradient(int width, int height, std::uint32_t from, std::uint32_t to, double glowX, double glowY,
                   unsigned seed) {
  ui::Image image(width, height);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> dither(-0.5, 0.5);
  const double fr = (from >> 16) & 0xFF, fg = (from >> 8) & 0xFF, fb = from & 0xFF;
  const double tr = (to >> 16) & 0xFF, tg = (to >> 8) & 0xFF, tb = to & 0xFF;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      double u = double(x) / (width - 1), v = double(y) / (height - 1);
      double t = Smooth(0.75 * v + 0.25 * (1 - u));
      double gx = (u - glowX) * 1.6, gy = (v - glowY) * 1.6;
      double glow = 0.35 * std::exp(-(gx * gx + gy * gy) * 4);
      double ch[3] = {fr + (tr - fr) * t, fg + (tg - fg) * t, fb + (tb - fb) * t};
      std::uint32_t p = 0;
      for (double c : ch) {
        c += (255 - c) * glow + dither(rng);
        p = p << 8 | std::uint32_t(std::clamp(std::lround(c), 0L, 255L));
      }
      image.At(x, y) = p;
    }
  return image;
}

// The strip under the About window's text: a little deeper than the page above it.
ui::Image BottomStrip(int width, int height) {
  ui::Image image = Gradient(width, height, Rgb(214, 224, 237), Rgb(232, 238, 246), 0.5, -1.0, 3);
  for (int x = 0; x < width; ++x) {
    image.At(x, 0) = Rgb(186, 199, 216);
    image.At(x, 1) = Rgb(248, 250, 252);
  }
  return image;
}

// Samples a shape 4 x 4 times per pixel for smooth icon edges.
template <typename Shade>
void Render(ui::Image& rgb, std::vector<double>& alpha, int size, Shade shade) {
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          double px = (x + (sx + 0.5) / 4) / size, py = (y + (sy + 0.5) / 4) / size;
          std::array<double, 4> c = shade(px, py);
          r += c[0] * c[3];
          g += c[1] * c[3];
          b += c[2] * c[3];
          a += c[3];
        }
      const std::size_t i = std::size_t(y) * size + x;
      alpha[i] = a / 16;
      if (a > 0)
        rgb.pixels[i] = Rgb(int(std::lround(r / a)), int(std::lround(g / a)), int(std::lround(b / a)));
    }
}

double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(ax + t * dx - x, ay + t * dy - y);
}

// The program's clock face at `size` pixels: colours and coverage of each pixel.
void DrawClockFace(int size, ui::Image& rgb, std::vector<double>& alpha) {
  rgb = ui::Image(size, size);
  alpha.assign(std::size_t(size) * size, 0.0);
  const double px = 1.0 / size;  // one pixel in unit coordinates
  Render(rgb, alpha, size, [&](double x, double y) -> std::array<double, 4> {
    const double d = std::hypot(x - 0.5, y - 0.5);
    if (d > 0.48) return {0, 0, 0, 0};
    // The hands at ten past ten with the second hand on the half minute, then the face.
    const double hw = std::max(0.045, 1.0 * px);
    if (size >= 32 && SegmentDistance(x, y, 0.5, 0.42, 0.5, 0.84) < 0.6 * px) return {220, 60, 50, 1};
    if (SegmentDistance(x, y, 0.5, 0.5, 0.5 + 0.26 * std::sin(M_PI / 3), 0.5 - 0.26 * std::cos(M_PI / 3)) < hw ||
        SegmentDistance(x, y, 0.5, 0.5, 0.5 - 0.18 * std::sin(M_PI / 3), 0.5 - 0.18 * std::cos(M_PI / 3)) < hw * 1.15)
      return {40, 46, 56, 1};
    if (d > 0.40) {
      double t = (y - 0.02) / 0.96;  // the rim: lighter at the top
      return {70 - 30 * t, 82 - 32 * t, 100 - 36 * t, 1};
    }
    for (int h = 0; h < 12; ++h) {
      if (size < 32 && h % 3 != 0) continue;
      double a = h * M_PI / 6;
      double inner = h % 3 == 0 ? 0.29 : 0.33;
      if (SegmentDistance(x, y, 0.5 + inner * std::sin(a), 0.5 - inner * std::cos(a), 0.5 + 0.37 * std::sin(a),
                          0.5 - 0.37 * std::cos(a)) < std::max(0.03, 0.7 * px))
        return {92, 104, 122, 1};
    }
    double t = d / 0.40;
    return {255 - 18 * t * t, 255 - 12 * t * t, 255 - 6 * t * t, 1};
  });
}

// One icon picture as an ICO entry body: info header, bottom-up BGRA rows, then the 1-bit mask.
std::string IconImage(int size) {
  ui::Image rgb;
  std::vector<double> alpha;
  DrawClockFace(size, rgb, alpha);
  std::string out;
  Put32(out, 40);
  Put32(out, std::uint32_t(size));
  Put32(out, std::uint32_t(size * 2));  // colour rows and mask rows
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  const std::uint32_t maskStride = (std::uint32_t(size) + 31) / 32 * 4;
  Put32(out, std::uint32_t(size * size * 4) + maskStride * size);
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y)
    for (int x = 0; x < size; ++x) {
      const std::size_t i = std::size_t(y) * size + x;
      const int a = int(std::lround(alpha[i] * 255));
      const std::uint32_t p = a == 0 ? 0 : rgb.pixels[i];
      out.push_back(char(p & 0xFF));
      out.push_back(char((p >> 8) & 0xFF));
      out.push_back(char((p >> 16) & 0xFF));
      out.push_back(char(a));
    }
  for (int y = size - 1; y >= 0; --y) {
    std::string row(maskStride, '\0');
    for (int x = 0; x < size; ++x)
      if (std::lround(alpha[std::size_t(y) * size + x] * 255) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    out += row;
  }
  return out;
}

}  // namespace

std::string EncodeJpeg(const ui::Image& image, int quality) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);  // the generator's own pictures: a failure may end the run
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  // Full colour resolution: chroma subsampling shows on soft gradients.
  for (int i = 0; i < cinfo.num_components; ++i) cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(std::size_t(image.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < image.width; ++x) {
      std::uint32_t p = image.At(x, int(cinfo.next_scanline));
      row[3 * x] = JSAMPLE((p >> 16) & 0xFF);
      row[3 * x + 1] = JSAMPLE((p >> 8) & 0xFF);
      row[3 * x + 2] = JSAMPLE(p & 0xFF);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

void WriteBackgrounds(const std::filesystem::path& dir) {
  WriteFile(dir / "GRADIENTBIG.jpg", EncodeJpeg(Gradient(720, 520, Rgb(212, 224, 238), Rgb(250, 251, 253), 0.85, 0.05, 1), 90));
  WriteFile(dir / "GRADIENTSMALL.jpg", EncodeJpeg(Gradient(400, 300, Rgb(212, 224, 238), Rgb(250, 251, 253), 0.85, 0.05, 2), 90));
  WriteFile(dir / "GRADIENTSMALLBOTTOM.jpg", EncodeJpeg(BottomStrip(400, 60), 90));
}

std::string MakeChime() {
  constexpr int kRate = 22050;
  constexpr double kLength = 0.32;
  const int count = int(kRate * kLength);
  // Two bell-like notes a major third apart, the second starting as the first fades.
  struct Note {
    double start, freq, decay;
  } const notes[] = {{0.0, 1318.51, 0.075}, {0.10, 1046.50, 0.085}};
  std::vector<double> wave(count, 0.0);
  for (const Note& n : notes)
    for (int i = int(n.start * kRate); i < count; ++i) {
      double t = double(i) / kRate - n.start;
      double attack = std::min(1.0, t / 0.004);
      double w = 2 * M_PI * n.freq * t;
      wave[i] += attack * (std::exp(-t / n.decay) * std::sin(w) + 0.35 * std::exp(-t / (n.decay * 0.5)) * std::sin(2 * w) +
                           0.12 * std::exp(-t / (n.decay * 0.3)) * std::sin(3 * w));
    }
  double peak = 0;
  for (double v : wave) peak = std::max(peak, std::fabs(v));
  const int fade = kRate / 50;  // the last 20 ms ease to silence
  std::string data;
  for (int i = 0; i < count; ++i) {
    double v = wave[i] / peak * 0.6;
    if (i >= count - fade) v *= double(count - 1 - i) / fade;
    Put16(data, std::uint32_t(std::int16_t(std::lround(v * 32767))) & 0xFFFF);
  }
  std::string out = "RIFF";
  Put32(out, std::uint32_t(36 + data.size()));
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  out += "data";
  Put32(out, std::uint32_t(data.size()));
  return out + data;
}

ui::Image MakeTrayPicture() {
  ui::Image rgb;
  std::vector<double> alpha;
  DrawClockFace(16, rgb, alpha);
  // A bitmap has no alpha: a pixel belongs to the face when the face covers most of it.
  ui::Image picture(16, 16, kKey);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i)
    if (alpha[i] >= 0.5) picture.pixels[i] = rgb.pixels[i];
  return picture;
}

std::string MakeIcon() {
  const int sizes[] = {16, 32};
  std::string images[2] = {IconImage(16), IconImage(32)};
  std::string out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, 2);
  std::uint32_t offset = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    out.push_back(char(sizes[i]));
    out.push_back(char(sizes[i]));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, std::uint32_t(images[i].size()));
    Put32(out, offset);
    offset += std::uint32_t(images[i].size());
  }
  return out + images[0] + images[1];
}

}  // namespace artgen
