// Drawing helpers for the art generator: a character grid for pixel art (hand-drawn rows,
// simple shapes and automatic outlines) and a few colour and file utilities.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/types.h"

namespace artgen {

// The see-through colour of glyphs and buttons; no drawing uses it.
constexpr std::uint32_t kKey = 0xFF00FF;

constexpr std::uint32_t Rgb(int r, int g, int b) { return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b); }
// Blends from `a` (t = 0) to `b` (t = 1), rounding each channel.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t);

using Palette = std::map<char, std::uint32_t>;
using Rows = std::vector<std::string>;

// A picture as one character per pixel; '.' is the background.
class Grid {
 public:
  Grid(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  char Get(int x, int y) const;
  void Set(int x, int y, char c);

  // Copies hand-drawn rows to (x, y), skipping '.'; `remap` pairs ("bc" turns b into c) recolour.
  void Draw(const Rows& rows, int x, int y, const std::string& remap = "");
  // Sets every pixel whose centre lies inside the shape.
  void Fill(const std::function<bool(double, double)>& inside, char c);
  // Like Fill, but only over pixels that are already drawn with one of `over`.
  void FillOver(const std::function<bool(double, double)>& inside, char c, const std::string& over);
  // Paints background pixels that touch a pixel drawn with one of `of` (any drawn pixel when
  // empty): side neighbours only, or corners too.
  void Outline(char c, bool corners, const std::string& of = "");

  ui::Image ToImage(const Palette& palette, std::uint32_t background = kKey) const;

 private:
  int width_, height_;
  std::vector<std::string> cells_;
};

// Shapes over pixel centres (x + 0.5, y + 0.5 for the pixel at x, y).
std::function<bool(double, double)> Disc(double cx, double cy, double r);
std::function<bool(double, double)> Box(double x0, double y0, double x1, double y1);
std::function<bool(double, double)> Segment(double ax, double ay, double bx, double by, double halfWidth);
std::function<bool(double, double)> Polygon(std::vector<std::pair<double, double>> points);

// Writes `bytes` to `path`, creating folders; throws std::runtime_error on failure.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Writes a bitmap file, throwing when the picture cannot be encoded.
void WriteBitmap(const std::filesystem::path& path, const ui::Image& image);

}  // namespace artgen
