#include "tools/artgen/skin.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/canvas.h"

namespace artgen {
namespace {

constexpr int kRadius = 10;

// Signed distance from the pixel centre to the edge of the rounded panel (negative inside).
double PanelDistance(double x, double y, int width, int height, double radius) {
  double cx = std::clamp(x, radius, width - radius);
  double cy = std::clamp(y, radius, height - radius);
  double dx = x - cx, dy = y - cy;
  if (dx == 0 && dy == 0) return -std::min({x, y, width - x, height - y});
  return std::hypot(dx, dy) - radius;
}

// Colours of the panel; the text drawn over it is light.
constexpr std::uint32_t kHeaderTop = Rgb(78, 89, 106);
constexpr std::uint32_t kHeaderBottom = Rgb(60, 69, 84);
constexpr std::uint32_t kBodyTop = Rgb(47, 54, 66);
constexpr std::uint32_t kBodyBottom = Rgb(31, 36, 45);
constexpr std::uint32_t kGroove = Rgb(26, 30, 38);
constexpr std::uint32_t kRidge = Rgb(86, 97, 114);
constexpr std::uint32_t kBorder = Rgb(104, 116, 135);
constexpr std::uint32_t kHighlight = Rgb(132, 144, 162);
constexpr int kHeaderHeight = 26;

// Small digits for the preview: 5 x 7 cells, '#' drawn.
const char* const kDigits[10][7] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};

}  // namespace

int DrawSmallText(ui::Image& image, int x, int y, const std::string& text, int scale, std::uint32_t color) {
  for (char ch : text) {
    if (ch == '.' || ch == ':') {
      const int dots[2] = {ch == ':' ? 2 : 6, ch == ':' ? 5 : 6};
      for (int row : dots)
        for (int sy = 0; sy < scale; ++sy)
          for (int sx = 0; sx < scale; ++sx) image.At(x + sx, y + row * scale + sy) = color;
      x += 2 * scale;
      continue;
    }
    const auto& cells = kDigits[ch - '0'];
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (cells[row][col] == '#')
          for (int sy = 0; sy < scale; ++sy)
            for (int sx = 0; sx < scale; ++sx) image.At(x + col * scale + sx, y + row * scale + sy) = color;
    x += 6 * scale;
  }
  return x;
}

namespace {

// One title button state over the key colour: a glyph, and for hover and pressed a rounded plate.
ui::Image DrawButton(bool close, int state) {
  const Rows cross = {
      "...........",
      "...........",
      "..x.....x..",
      "...x...x...",
      "....x.x....",
      ".....x.....",
      "....x.x....",
      "...x...x...",
      "..x.....x..",
      "...........",
      "...........",
  };
  const Rows bar = {
      "...........",
      "...........",
      "...........",
      "...........",
      "...........",
      "...........",
      "...........",
      "...........",
      "..xxxxxxx..",
      "...........",
      "...........",
  };
  Grid g(11, 11);
  if (state > 0) {
    g.Fill(Box(0, 0, 11, 11), 'p');
    for (auto [x, y] : {std::pair{0, 0}, {10, 0}, {0, 10}, {10, 10}}) g.Set(x, y, '.');
  }
  const int shift = state == 2 ? 1 : 0;
  g.Draw(close ? cross : bar, shift, shift);
  Palette palette = {{'x', state == 0 ? Rgb(196, 205, 218) : state == 1 ? Rgb(255, 255, 255) : Rgb(226, 230, 236)}};
  if (close)
    palette['p'] = state == 1 ? Rgb(214, 68, 56) : Rgb(158, 42, 34);
  else
    palette['p'] = state == 1 ? Rgb(98, 112, 134) : Rgb(40, 47, 58);
  return g.ToImage(palette);
}

}  // namespace

ui::Image DrawFace(int width, int height, int scale) {
  width *= scale;
  height *= scale;
  const int radius = kRadius * scale, header = kHeaderHeight * scale;
  ui::Image face(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // Coverage of the rounded panel over a 4 x 4 grid of samples; half covered or more is inside.
      int covered = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
          covered += PanelDistance(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, width, height, radius) <= 0;
      if (covered < 8) continue;
      const double d = PanelDistance(x + 0.5, y + 0.5, width, height, radius);
      std::uint32_t c;
      if (y < header)
        c = Mix(kHeaderTop, kHeaderBottom, double(y) / (header - 1));
      else if (y < header + scale)
        c = kGroove;
      else if (y < header + 2 * scale)
        c = kRidge;
      else
        c = Mix(kBodyTop, kBodyBottom, double(y - header - 2 * scale) / std::max(1, height - header - 3 * scale));
      // A soft sheen over the upper part of the header.
      if (y < header / 2) c = Mix(c, 0xFFFFFF, 0.05 * (1.0 - double(y) / (header / 2)));
      if (d > -1.5 * scale)
        c = kBorder;
      else if (d > -2.5 * scale && y < height / 2)
        c = Mix(c, kHighlight, 0.5);
      face.At(x, y) = c;
    }
  return face;
}

ui::Image Enlarged(const ui::Image& image, int scale) {
  ui::Image out(image.width * scale, image.height * scale);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.At(x, y) = image.At(x / scale, y / scale);
  return out;
}

void WriteDefaultSkin(const std::filesystem::path& dir) {
  // Each picture also at twice the size ("@2x"), which the program takes from 150 % on.
  WriteBitmap(dir / "main.bmp", DrawFace(180, 70));
  WriteBitmap(dir / "main@2x.bmp", DrawFace(180, 70, 2));
  const char* const states[] = {"default", "undermouse", "click"};
  for (int s = 0; s < 3; ++s) {
    for (bool close : {true, false}) {
      const std::string name = std::string(close ? "close_" : "minim_") + states[s];
      const ui::Image button = DrawButton(close, s);
      WriteBitmap(dir / (name + ".bmp"), button);
      WriteBitmap(dir / (name + "@2x.bmp"), Enlarged(button, 2));
    }
  }
  // The preview: the face at 160 x 70 with a sample date and time, on a dialog-grey backdrop.
  ui::Image preview = DrawFace(160, 70);
  for (auto& p : preview.pixels)
    if (p == 0) p = Rgb(240, 240, 240);
  DrawSmallText(preview, 11, 8, "07.12.2026", 1, Rgb(160, 180, 205));
  const int timeWidth = 6 * 12 + 2 * 4;
  DrawSmallText(preview, (160 - timeWidth) / 2, 36, "12:34:56", 2, Rgb(235, 242, 250));
  WriteBitmap(dir / "Preview.bmp", preview);
}

}  // namespace artgen
