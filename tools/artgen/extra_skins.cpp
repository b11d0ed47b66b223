#include "tools/artgen/extra_skins.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/artgen/canvas.h"
#include "tools/artgen/skin.h"

namespace artgen {
namespace {

// Signed distance from (x, y) to the edge of a rounded rectangle (negative inside).
double RoundedBoxDistance(double x, double y, double x0, double y0, double x1, double y1, double radius) {
  double cx = std::clamp(x, x0 + radius, x1 - radius);
  double cy = std::clamp(y, y0 + radius, y1 - radius);
  double dx = x - cx, dy = y - cy;
  if (dx == 0 && dy == 0) return -std::min({x - x0, y - y0, x1 - x, y1 - y});
  return std::hypot(dx, dy) - radius;
}

// Whether at least half of the pixel lies inside the rounded rectangle. Outlines stay hard:
// a pixel blended with the key colour would show as a coloured fringe on the desktop.
bool PixelInside(int x, int y, double x0, double y0, double x1, double y1, double radius) {
  int covered = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx)
      covered += RoundedBoxDistance(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, x0, y0, x1, y1, radius) <= 0;
  return covered >= 8;
}

// A repeatable pseudo-random value in [0, 1) for a lattice point.
double Hash(int x, int y, unsigned seed) {
  std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0x1000000);
}

// Smooth value noise in [0, 1).
double ValueNoise(double x, double y, unsigned seed) {
  int ix = int(std::floor(x)), iy = int(std::floor(y));
  double fx = x - ix, fy = y - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  double a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
  double c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

std::uint32_t Shade(std::uint32_t c, double amount) {
  return amount >= 0 ? Mix(c, 0xFFFFFF, amount) : Mix(c, 0x000000, -amount);
}

// Shifts each channel by `delta` (noise on flat surfaces).
std::uint32_t Nudge(std::uint32_t c, int delta) {
  std::uint32_t out = 0;
  for (int shift = 16; shift >= 0; shift -= 8) {
    int v = std::clamp(int((c >> shift) & 0xFF) + delta, 0, 255);
    out |= std::uint32_t(v) << shift;
  }
  return out;
}

void ShowOnBackdrop(ui::Image& image) {
  for (auto& p : image.pixels)
    if (p == kKey) p = Rgb(240, 240, 240);
}

// ---- mini: a graphite bezel around a pale green liquid-crystal window

constexpr int kMiniInset = 6;        // bezel width around the display
constexpr int kMiniButtonArea = 26;  // bezel to the right of the display, holding the buttons

ui::Image DrawMiniButton(bool close, int state) {
  const Rows cross = {
      "...........", "...........", "...........", "...x...x...", "....x.x....", ".....x.....",
      "....x.x....", "...x...x...", "...........", "...........", "...........",
  };
  const Rows bar = {
      "...........", "...........", "...........", "...........", "...........", "...........",
      "...........", "...xxxxx...", "...........", "...........", "...........",
  };
  Grid g(11, 11);
  if (state > 0) g.Fill(Disc(5.5, 5.5, 5.4), 'p');
  const int shift = state == 2 ? 1 : 0;
  g.Draw(close ? cross : bar, 0, shift);
  Palette palette = {{'x', state == 0 ? Rgb(168, 178, 190) : Rgb(255, 255, 255)}};
  if (close)
    palette['p'] = state == 1 ? Rgb(214, 72, 60) : Rgb(150, 44, 36);
  else
    palette['p'] = state == 1 ? Rgb(92, 132, 168) : Rgb(54, 84, 112);
  return g.ToImage(palette);
}

// ---- paper: a wooden frame holding a cream paper card

constexpr int kPaperFrame = 9;

// Wood of a rail: streaks along its length `u`, growth rings across it, `v` pixels deep.
std::uint32_t Wood(double u, double v, unsigned seed) {
  double streak = ValueNoise(u * 0.04, v * 0.55, seed);
  double ring = 0.5 + 0.5 * std::sin(v * 0.9 + 4.0 * ValueNoise(u * 0.012, v * 0.05, seed + 1));
  double t = std::clamp(0.55 * streak + 0.45 * ring * ring, 0.0, 1.0);
  std::uint32_t c = Mix(Rgb(168, 112, 62), Rgb(104, 62, 28), t);
  return Nudge(c, int(std::lround((Hash(int(u), int(v * 3), seed) - 0.5) * 8)));
}

// Which side of a w x h box the pixel's nearest edge is on: 0 top, 1 right, 2 bottom, 3 left.
// Corners are split along their diagonals, like the mitres of a frame.
int NearestSide(int x, int y, int w, int h) {
  const int d[4] = {y, w - 1 - x, h - 1 - y, x};
  return int(std::min_element(d, d + 4) - d);
}

ui::Image DrawPaperButton(bool close, int state) {
  Grid g(13, 13);
  g.Fill(Disc(6.5, 6.5, 6.4), 'r');
  g.Fill(Disc(6.5, 6.5, 5.3), 'f');
  const Rows cross = {
      "x...x", ".x.x.", "..x..", ".x.x.", "x...x",
  };
  const Rows bar = {"xxxxx"};
  const int shift = state == 2 ? 1 : 0;
  g.Draw(close ? cross : bar, 4, (close ? 4 : 8) + shift);
  Palette palette;
  if (state == 0) {
    palette = {{'r', Rgb(139, 104, 70)}, {'f', Rgb(236, 224, 196)}, {'x', Rgb(104, 72, 44)}};
  } else if (close) {
    palette = {
        {'r', Rgb(122, 50, 32)}, {'f', state == 1 ? Rgb(186, 84, 58) : Rgb(146, 62, 42)}, {'x', Rgb(255, 246, 230)}};
  } else {
    palette = {
        {'r', Rgb(46, 70, 98)}, {'f', state == 1 ? Rgb(82, 114, 148) : Rgb(60, 86, 114)}, {'x', Rgb(255, 246, 230)}};
  }
  return g.ToImage(palette);
}

void WriteButtons(const std::filesystem::path& dir, ui::Image (*draw)(bool, int)) {
  const char* const states[] = {"default", "undermouse", "click"};
  for (int s = 0; s < 3; ++s)
    for (bool close : {true, false}) {
      const std::string name = std::string(close ? "close_" : "minim_") + states[s];
      const ui::Image button = draw(close, s);
      WriteBitmap(dir / (name + ".bmp"), button);
      WriteBitmap(dir / (name + "@2x.bmp"), Enlarged(button, 2));
    }
}

}  // namespace

ui::Image DrawMiniFace(int width, int height, int scale) {
  // Drawn in the picture's own pixels; every length of the design is `scale` times as long.
  const double k = scale;
  const int w = width * scale, h = height * scale;
  ui::Image face(w, h, kKey);
  const double radius = height * 0.35 * k;
  const double inset = kMiniInset * k;
  const double lcdRight = (width - kMiniButtonArea) * k;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!PixelInside(x, y, 0, 0, w, h, radius)) continue;
      const double d = RoundedBoxDistance(x + 0.5, y + 0.5, 0, 0, w, h, radius);
      const double v = double(y) / (h - 1);
      std::uint32_t c = Mix(Rgb(62, 68, 77), Rgb(28, 32, 37), v);
      if (d > -1.2 * k)
        c = Rgb(14, 16, 19);
      else if (d > -2.4 * k)
        c = y < h / 2 ? Mix(c, Rgb(120, 130, 142), 0.55) : Mix(c, Rgb(70, 76, 84), 0.3);
      // The display window, sunk into the bezel.
      const double ld = RoundedBoxDistance(x + 0.5, y + 0.5, inset, inset, lcdRight, h - inset, 4 * k);
      if (ld <= 0) {
        c = Mix(Rgb(203, 217, 174), Rgb(172, 189, 141), v);
        // A faint glare across the upper left of the glass.
        if (x + 2 * y < 60 * k) c = Shade(c, 0.06);
        if (ld > -1.0 * k)
          c = Rgb(20, 24, 27);
        else if (ld > -2.5 * k && (y < inset + 3 * k || x < inset + 3 * k))
          c = Mix(c, Rgb(120, 134, 98), 0.55);
      }
      face.At(x, y) = c;
    }
  return face;
}

ui::Image DrawPaperFace(int width, int height, int scale) {
  // Drawn in the picture's own pixels; the wood and the paper are sampled at the design's
  // coordinates, so the larger picture shows the same grain, only finer.
  const double k = scale;
  const int w = width * scale, h = height * scale;
  ui::Image face(w, h, kKey);
  const double radius = std::min(16.0, height * 0.2) * k;
  const double f = kPaperFrame * k;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!PixelInside(x, y, 0, 0, w, h, radius)) continue;
      const double d = RoundedBoxDistance(x + 0.5, y + 0.5, 0, 0, w, h, radius);
      const double pd = RoundedBoxDistance(x + 0.5, y + 0.5, f, f, w - f, h - f, 5 * k);
      std::uint32_t c;
      if (pd > 0) {
        // Four mitred rails: the top and bottom ones run across, the sides up and down.
        const int side = NearestSide(x, y, w, h);
        const bool across = side == 0 || side == 2;
        const double depth = across ? (side == 0 ? y : h - 1 - y) : (side == 3 ? x : w - 1 - x);
        c = Wood((across ? x : y) / k, depth / k, 31 + unsigned(side) * 7);
        // Bevels: the outer edge lit on the top and left rails, the inner edge on the others;
        // a dark outline around the frame and around the card.
        const bool upperLeft = side == 0 || side == 3;
        if (d > -1.2 * k)
          c = Rgb(58, 32, 14);
        else if (d > -2.6 * k)
          c = upperLeft ? Mix(c, Rgb(230, 178, 116), 0.4) : Shade(c, -0.25);
        else if (pd < 1.2 * k)
          c = Rgb(72, 42, 18);
        else if (pd < 2.4 * k)
          c = upperLeft ? Shade(c, -0.2) : Mix(c, Rgb(214, 160, 98), 0.3);
      } else {
        const double v = (y - f) / std::max(1.0, h - 2 * f);
        c = Mix(Rgb(251, 246, 230), Rgb(242, 232, 204), v);
        // Paper fibres, and the card's shadow under the frame along its top and left edges.
        c = Nudge(c, int(std::lround((ValueNoise(x / k * 0.7, y / k * 0.7, 21) - 0.5) * 6)));
        const double fromTop = (y + 0.5 - f) / k, fromLeft = (x + 0.5 - f) / k;
        const double depth = std::min(fromTop, fromLeft * 1.5);
        if (depth < 4) c = Shade(c, -0.16 * (1 - depth / 4));
      }
      face.At(x, y) = c;
    }
  return face;
}

void WriteMiniSkin(const std::filesystem::path& dir) {
  WriteBitmap(dir / "mini.bmp", DrawMiniFace(120, 40));
  WriteBitmap(dir / "mini@2x.bmp", DrawMiniFace(120, 40, 2));
  WriteButtons(dir, DrawMiniButton);
  // The preview: the face at its real size with a sample time, on a dialog-grey backdrop.
  ui::Image preview(160, 70, kKey);
  const ui::Image face = DrawMiniFace(120, 40);
  const int left = (160 - 120) / 2, top = (70 - 40) / 2;
  for (int y = 0; y < face.height; ++y)
    for (int x = 0; x < face.width; ++x) preview.At(left + x, top + y) = face.At(x, y);
  const int timeWidth = 6 * 12 + 2 * 4;
  const int lcdWidth = 120 - kMiniButtonArea - kMiniInset;
  DrawSmallText(preview, left + kMiniInset + (lcdWidth - timeWidth) / 2, top + 13, "12:34:56", 2, Rgb(31, 42, 24));
  for (int i = 0; i < 2; ++i) {
    const ui::Image button = DrawMiniButton(i == 0, 0);
    for (int y = 0; y < button.height; ++y)
      for (int x = 0; x < button.width; ++x)
        if (button.At(x, y) != button.BottomLeft())
          preview.At(left + 99 + x, top + (i == 0 ? 21 : 8) + y) = button.At(x, y);
  }
  ShowOnBackdrop(preview);
  WriteBitmap(dir / "Preview.bmp", preview);
}

void WritePaperSkin(const std::filesystem::path& dir) {
  for (int scale : {1, 2}) {
    ui::Image face = DrawPaperFace(260, 110, scale);
    // A printed double rule under the date.
    for (int x = 22 * scale; x < 238 * scale; ++x)
      for (int t = 0; t < scale; ++t) {
        face.At(x, 47 * scale + t) = Mix(face.At(x, 47 * scale + t), Rgb(150, 112, 72), 0.55);
        face.At(x, 49 * scale + t) = Mix(face.At(x, 49 * scale + t), Rgb(150, 112, 72), 0.3);
      }
    WriteBitmap(dir / (scale == 1 ? "paper.bmp" : "paper@2x.bmp"), face);
  }
  WriteButtons(dir, DrawPaperButton);
  // The preview: the face drawn at the preview's size, with a sample date and time.
  ui::Image preview = DrawPaperFace(160, 70);
  for (int x = 16; x < 144; ++x) preview.At(x, 30) = Mix(preview.At(x, 30), Rgb(150, 112, 72), 0.55);
  DrawSmallText(preview, 17, 17, "07.12.2026", 1, Rgb(122, 46, 30));
  const int timeWidth = 6 * 12 + 2 * 4;
  DrawSmallText(preview, (160 - timeWidth) / 2, 38, "12:34:56", 2, Rgb(31, 47, 79));
  ShowOnBackdrop(preview);
  WriteBitmap(dir / "Preview.bmp", preview);
}

}  // namespace artgen
