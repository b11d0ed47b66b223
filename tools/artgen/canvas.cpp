#include "tools/artgen/canvas.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

#include "resources/bitmap_file.h"

namespace artgen {

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    long v = std::lround(ca + (cb - ca) * t);
    v = v < 0 ? 0 : v > 255 ? 255 : v;
    out |= std::uint32_t(v) << shift;
  }
  return out;
}

Grid::Grid(int width, int height) : width_(width), height_(height), cells_(height, std::string(width, '.')) {}

char Grid::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return '.';
  return cells_[y][x];
}

void Grid::Set(int x, int y, char c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cells_[y][x] = c;
}

void Grid::Draw(const Rows& rows, int x, int y, const std::string& remap) {
  const std::size_t width = rows.empty() ? 0 : rows[0].size();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].size() != width) throw std::runtime_error("ragged pixel rows: \"" + rows[r] + "\"");
    for (std::size_t c = 0; c < width; ++c) {
      char ch = rows[r][c];
      if (ch == '.') continue;
      for (std::size_t i = 0; i + 1 < remap.size(); i += 2)
        if (remap[i] == ch) {
          ch = remap[i + 1];
          break;
        }
      Set(x + int(c), y + int(r), ch);
    }
  }
}

void Grid::Fill(const std::function<bool(double, double)>& inside, char c) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (inside(x + 0.5, y + 0.5)) cells_[y][x] = c;
}

void Grid::FillOver(const std::function<bool(double, double)>& inside, char c, const std::string& over) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (over.find(cells_[y][x]) != std::string::npos && inside(x + 0.5, y + 0.5)) cells_[y][x] = c;
}

void Grid::Outline(char c, bool corners, const std::string& of) {
  auto counts = [&](int x, int y) {
    char n = Get(x, y);
    return n != '.' && n != c && (of.empty() || of.find(n) != std::string::npos);
  };
  std::vector<std::pair<int, int>> marks;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (cells_[y][x] != '.') continue;
      bool touch = counts(x - 1, y) || counts(x + 1, y) || counts(x, y - 1) || counts(x, y + 1);
      if (corners)
        touch = touch || counts(x - 1, y - 1) || counts(x + 1, y - 1) || counts(x - 1, y + 1) || counts(x + 1, y + 1);
      if (touch) marks.emplace_back(x, y);
    }
  for (auto [x, y] : marks) cells_[y][x] = c;
}

ui::Image Grid::ToImage(const Palette& palette, std::uint32_t background) const {
  ui::Image image(width_, height_, background);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      char ch = cells_[y][x];
      if (ch == '.') continue;
      auto it = palette.find(ch);
      if (it == palette.end()) throw std::runtime_error(std::string("no colour for '") + ch + "'");
      image.At(x, y) = it->second;
    }
  return image;
}

std::function<bool(double, double)> Disc(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

std::function<bool(double, double)> Box(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}

std::function<bool(double, double)> Segment(double ax, double ay, double bx, double by, double halfWidth) {
  return [=](double x, double y) {
    double dx = bx - ax, dy = by - ay;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    double px = ax + t * dx - x, py = ay + t * dy - y;
    return px * px + py * py <= halfWidth * halfWidth;
  };
}

std::function<bool(double, double)> Polygon(std::vector<std::pair<double, double>> points) {
  return [points = std::move(points)](double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      auto [xi, yi] = points[i];
      auto [xj, yj] = points[j];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
  };
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteBitmap(const std::filesystem::path& path, const ui::Image& image) {
  std::string bytes = resources::EncodeBmp(image);
  if (bytes.empty()) throw std::runtime_error("cannot encode " + path.string());
  WriteFile(path, bytes);
}

}  // namespace artgen
