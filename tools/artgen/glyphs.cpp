// The pictures of the image library: 16 x 16 menu and button glyphs on the see-through key
// colour, plus one larger picture of a letter on its way.
#include "tools/artgen/glyphs.h"

#include <cmath>
#include <stdexcept>

namespace artgen {
namespace {

const Palette& GlyphPalette() {
  static const Palette palette = {
      {'k', Rgb(38, 42, 50)},    {'d', Rgb(88, 94, 106)},   {'G', Rgb(146, 153, 165)},
      {'g', Rgb(200, 205, 213)}, {'h', Rgb(230, 233, 238)}, {'w', Rgb(255, 255, 255)},
      {'B', Rgb(24, 84, 158)},   {'b', Rgb(56, 136, 222)},  {'c', Rgb(156, 202, 246)},
      {'R', Rgb(160, 30, 24)},   {'r', Rgb(226, 66, 56)},   {'p', Rgb(246, 158, 150)},
      {'E', Rgb(28, 118, 44)},   {'e', Rgb(58, 176, 72)},   {'l', Rgb(156, 224, 140)},
      {'Y', Rgb(176, 120, 8)},   {'y', Rgb(246, 192, 48)},  {'o', Rgb(255, 230, 138)},
      {'N', Rgb(116, 74, 34)},   {'n', Rgb(172, 118, 62)},  {'t', Rgb(222, 178, 120)},
      {'O', Rgb(240, 136, 36)},
  };
  return palette;
}

// Overlays drawn in a corner of a bigger glyph.
const Rows kPlus = {
    "..EEEEE..",
    "..ElllE..",
    "EEEeeeEEE",
    "ElleeellE",
    "EeeeeeeeE",
    "EeeeeeeeE",
    "EEEeeeEEE",
    "..EeeeE..",
    "..EEEEE..",
};

void DrawCross(Grid& g, double x0, double y0, double size, char fill, char edge, double half) {
  const double x1 = x0 + size, y1 = y0 + size;
  Grid cross(g.width(), g.height());
  cross.Fill([&](double x, double y) {
    return Segment(x0 + 1.5, y0 + 1.5, x1 - 1.5, y1 - 1.5, half)(x, y) ||
           Segment(x1 - 1.5, y0 + 1.5, x0 + 1.5, y1 - 1.5, half)(x, y);
  }, fill);
  cross.Outline(edge, true);
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x)
      if (cross.Get(x, y) != '.') g.Set(x, y, cross.Get(x, y));
}

// A round badge: outline, fill and a lighter upper-left.
void DrawBall(Grid& g, double cx, double cy, double r, char fill, char light, char edge) {
  g.Fill(Disc(cx, cy, r), fill);
  g.FillOver(Disc(cx - r * 0.35, cy - r * 0.45, r * 0.62), light, std::string(1, fill));
  g.FillOver(Disc(cx, cy, r), fill, "");
  Grid ring(g.width(), g.height());
  ring.Fill(Disc(cx, cy, r), 'x');
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x)
      if (ring.Get(x, y) == 'x' &&
          (ring.Get(x - 1, y) == '.' || ring.Get(x + 1, y) == '.' || ring.Get(x, y - 1) == '.' || ring.Get(x, y + 1) == '.'))
        g.Set(x, y, edge);
}

const Rows kPage = {
    "kkkkkkkk...",
    "kwwwwwwkk..",
    "kwbwGGwkgk.",
    "kwwwwwwkkkk",
    "kwbwGGGGGwk",
    "kwwwwwwwwwk",
    "kwbwGGGGGwk",
    "kwwwwwwwwwk",
    "kwbwGGGGGwk",
    "kwwwwwwwwwk",
    "kwbwGGGGGwk",
    "kwwwwwwwwwk",
    "kwwwwwwwwwk",
    "kkkkkkkkkkk",
};

const Rows kCalendarSmall = {
    "...G....G...",
    "kkkGkkkkGkkk",
    "krrrrrrrrrrk",
    "kRRRRRRRRRRk",
    "kwwwwwwwwwwk",
    "kwGGwGGwGGwk",
    "kwwwwwwwwwwk",
    "kwGGwGGwGGwk",
    "kwwwwwwwwwwk",
    "kwGGwGGwwwwk",
    "kwwwwwwwwwwk",
    "kkkkkkkkkkkk",
};

const Rows kArrowDown = {
    "......kkkk......",
    "......kcbk......",
    "......kcbk......",
    "......kcbk......",
    "......kcbk......",
    "...kkkkcbkkkk...",
    "....kccbbbbk....",
    ".....kcbbbk.....",
    "......kcbk......",
    ".......kk.......",
};

const Rows kTray = {
    ".kkk........kkk.",
    ".kgk........kgk.",
    ".kgkkkkkkkkkkgk.",
    ".kghhhhhhhhhhgk.",
    ".kGGGGGGGGGGGGk.",
    ".kkkkkkkkkkkkkk.",
};

const Rows kEnvelope = {
    "kkkkkkkkkkkkkkkk",
    "kGhhhhhhhhhhhhGk",
    "kwGhhhhhhhhhhGwk",
    "kwwGhhhhhhhhGwwk",
    "kwwwGhhhhhhGwwwk",
    "kwwwwGhhhhGwwwwk",
    "kwwwwwGhhGwwwwwk",
    "kwwwwwwGGwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kggggggggggggggk",
    "kkkkkkkkkkkkkkkk",
};

Grid Pl() {
  Grid g(16, 16);
  g.Draw(kCalendarSmall, 0, 1);
  g.Draw(kPlus, 7, 7);
  return g;
}

Grid Scheme() {
  Grid g(16, 16);
  const Rows back = {
      "kkkkkkkkkkk",
      "kcccccccccc",
      "khhhhhhhhhk",
  };
  g.Draw(back, 4, 0);
  for (int y = 3; y <= 12; ++y) {
    g.Set(14, y, 'k');
    for (int x = 12; x <= 13; ++x) g.Set(x, y, 'h');
  }
  g.Set(14, 1, 'k');
  for (int x = 5; x <= 14; ++x) g.Set(x, 12, 'k');
  const Rows page = {
      "kkkkkkkkkkk",
      "kbbbbbbbbbk",
      "kBBBBBBBBBk",
      "kwwwwwwwwwk",
      "kwGGGGGGGwk",
      "kwwwwwwwwwk",
      "kwGGGGwyywk",
      "kwwwwwwyywk",
      "kwGGGGwwwwk",
      "kwwwwwwwwwk",
      "kwGGGGGGwwk",
      "kwwwwwwwwwk",
      "kkkkkkkkkkk",
  };
  g.Draw(page, 1, 3);
  return g;
}

Grid Config() {
  Grid g(16, 16);
  const double cx = 8, cy = 8;
  g.Fill([&](double x, double y) {
    double dx = x - cx, dy = y - cy, r = std::hypot(dx, dy);
    double turns = std::atan2(dy, dx) / (2 * M_PI) * 8;  // teeth centred on 0, 45, 90 ... degrees
    bool tooth = std::fabs(turns - std::round(turns)) < 0.27;
    return r <= 4.8 || (tooth && r <= 6.7);
  }, 'g');
  g.FillOver([&](double x, double y) { return (x - cx) + (y - cy) > 2.5; }, 'G', "g");
  g.FillOver([&](double x, double y) { return (x - cx) + (y - cy) < -3.5; }, 'h', "g");
  g.Fill(Disc(cx, cy, 2.6), 'd');
  g.Fill(Disc(cx, cy, 1.6), '.');
  g.Outline('k', false);
  return g;
}

Grid Computer() {
  Grid g(16, 16);
  g.Draw({
             "................",
             ".kkkkkkkkkkkkkk.",
             ".kggggggggggggk.",
             ".kgBBBBBBBBBBgk.",
             ".kgBccccbbbbBgk.",
             ".kgBccbbbbbbBgk.",
             ".kgBcbbbbbbbBgk.",
             ".kgBbbbbbbbbBgk.",
             ".kgBbbbbbbbbBgk.",
             ".kgBBBBBBBBBBgk.",
             ".kgggggggggeggk.",
             ".kkkkkkkkkkkkkk.",
             "......kddk......",
             "....kkGGGGkk....",
             "...kggggggggk...",
             "...kkkkkkkkkk...",
         },
         0, 0);
  return g;
}

Grid ToTray() {
  Grid g(16, 16);
  g.Draw(kTray, 0, 9);
  g.Draw(kArrowDown, 0, 1);
  return g;
}

Grid FromTray() {
  Grid g(16, 16);
  g.Draw(kTray, 0, 9);
  Rows up(kArrowDown.rbegin(), kArrowDown.rend());
  g.Draw(up, 0, 1, "clbe");
  return g;
}

Grid Exit() {
  Grid g(16, 16);
  g.Draw({
             ".kkkkkkkkk",
             ".kNNNNNNNk",
             ".kNttnnnnk",
             ".kNtnnnnnk",
             ".kNtnnnnnk",
             ".kNtnnnnnk",
             ".kNtnnnnnk",
             ".kNtnnnnyk",
             ".kNtnnnnYk",
             ".kNtnnnnnk",
             ".kNtnnnnnk",
             ".kNtnnnnnk",
             ".kNnnnnnnk",
             ".kkkkkkkkk",
         },
         0, 1);
  g.Draw({
             ".....k....",
             ".....kk...",
             ".....kpk..",
             "kkkkkkprk.",
             "kpppppprrk",
             "krrrrrrrrk",
             "kkkkkkrrk.",
             ".....krk..",
             ".....kk...",
             ".....k....",
         },
         6, 3);
  return g;
}

Grid Help() {
  Grid g(16, 16);
  DrawBall(g, 8, 8, 7.6, 'b', 'c', 'B');
  g.Draw({
             ".wwww.",
             "ww..ww",
             "....ww",
             "...ww.",
             "..ww..",
             "..ww..",
             "......",
             "..ww..",
             "..ww..",
         },
         5, 3);
  return g;
}

Grid Www() {
  Grid g(16, 16);
  DrawBall(g, 8, 8, 7.6, 'b', 'c', 'B');
  g.Draw({
             "................",
             "................",
             "....eee.........",
             "...eeeee..ee....",
             "..eeeeeee.eee...",
             "..eeeeee...e....",
             "...eeee.........",
             "....eee.....ee..",
             ".....ee....eeee.",
             ".....eee...eeee.",
             "......ee....ee..",
             "......e.........",
             "................",
         },
         0, 0);
  g.FillOver(Disc(5, 5, 3.5), 'l', "e");
  return g;
}

Grid AddEvent() {
  Grid g(16, 16);
  g.Draw(kPage, 1, 1);
  g.Draw(kPlus, 7, 7);
  return g;
}

Grid DelEvent() {
  Grid g(16, 16);
  g.Draw(kPage, 1, 1);
  DrawCross(g, 7, 7, 9, 'r', 'R', 1.1);
  return g;
}

Grid OkEvent() {
  Grid g(16, 16);
  DrawBall(g, 8, 8, 7.6, 'e', 'l', 'E');
  g.Fill([](double x, double y) {
    return Segment(4.5, 8.2, 7, 10.8, 1.0)(x, y) || Segment(7, 10.8, 11.6, 5.2, 1.0)(x, y);
  }, 'w');
  return g;
}

Grid CancelEvent() {
  Grid g(16, 16);
  DrawBall(g, 8, 8, 7.6, 'r', 'p', 'R');
  g.Fill([](double x, double y) {
    return Segment(5.2, 5.2, 10.8, 10.8, 1.0)(x, y) || Segment(10.8, 5.2, 5.2, 10.8, 1.0)(x, y);
  }, 'w');
  return g;
}

Grid Speaker() {
  Grid g(16, 16);
  g.Draw({
             "......kk",
             ".....kgk",
             "....kggk",
             "kkkkgGGk",
             "khhkgGGk",
             "khgkgGGk",
             "khgkgGGk",
             "khgkgGGk",
             "kkkkgGGk",
             "....kgGk",
             ".....kGk",
             "......kk",
         },
         0, 2);
  g.Fill([](double x, double y) {
    double r = std::hypot(x - 7, y - 8);
    return x > 9.2 && (std::fabs(r - 3.6) < 0.6 || std::fabs(r - 6.6) < 0.6) && std::fabs(y - 8) < r * 0.8;
  }, 'b');
  return g;
}

Grid Browse() {
  Grid g(16, 16);
  g.Fill(Box(1, 2, 5, 3.5), 'y');
  g.Fill(Box(1, 3, 13, 13), 'Y');
  g.FillOver(Box(1, 3, 13, 4), 'y', "Y");
  g.Fill(Polygon({{4, 6}, {16, 6}, {13, 13.9}, {1, 13.9}}), 'y');
  g.FillOver(Polygon({{4, 6}, {16, 6}, {15.4, 7.5}, {3.4, 7.5}}), 'o', "y");
  g.Outline('N', false);
  return g;
}

Grid RunFileTest() {
  Grid g(16, 16);
  g.Fill(Polygon({{3.5, 1.5}, {14.5, 8}, {3.5, 14.5}}), 'e');
  g.Outline('E', true);
  // A lighter rim along the upper edge.
  g.FillOver(Segment(4.5, 3.2, 11.5, 7.3, 0.75), 'l', "e");
  g.FillOver(Segment(4.5, 3.2, 4.5, 12.5, 0.6), 'l', "e");
  return g;
}

Grid Foto() {
  Grid g(16, 16);
  g.Fill(Box(1, 5, 15, 14), 'G');
  g.Fill(Box(1, 5, 15, 7), 'g');
  g.Fill(Box(5, 3, 10, 5), 'd');
  g.Fill(Box(12, 6, 14, 7), 'o');
  g.Fill(Disc(8, 9.5, 3.6), 'k');
  g.Fill(Disc(8, 9.5, 2.6), 'B');
  g.Fill(Disc(7.4, 9, 1.6), 'b');
  g.Set(6, 8, 'w');
  g.Outline('k', false);
  return g;
}

Grid Mail() {
  Grid g(16, 16);
  g.Draw(kEnvelope, 0, 3);
  return g;
}

Grid Date() {
  Grid g(16, 16);
  g.Draw({
             "....GG.....GG...",
             ".kkkGGkkkkkGGkkk",
             ".krrrrrrrrrrrrrk",
             ".krrrrrrrrrrrrrk",
             ".kRRRRRRRRRRRRRk",
             ".kwwwwwwwwwwwwwk",
             ".kwGGwGGwGGwGGwk",
             ".kwGGwGGwGGwGGwk",
             ".kwwwwwwwwwwwwwk",
             ".kwGGwGGwrrwGGwk",
             ".kwGGwGGwrrwGGwk",
             ".kwwwwwwwwwwwwwk",
             ".kwGGwGGwwwwwwwk",
             ".kwGGwGGwwwwwwwk",
             ".kwwwwwwwwwwwwwk",
             ".kkkkkkkkkkkkkkk",
         },
         0, 0);
  return g;
}

Grid Time() {
  Grid g(16, 16);
  DrawBall(g, 8, 8, 7.6, 'w', 'w', 'k');
  g.Fill([](double x, double y) { return std::fabs(std::hypot(x - 8, y - 8) - 6.4) < 0.55; }, 'b');
  g.Set(7, 2, 'd');
  g.Set(8, 2, 'd');
  g.Set(13, 7, 'd');
  g.Set(13, 8, 'd');
  g.Set(7, 13, 'd');
  g.Set(8, 13, 'd');
  g.Set(2, 7, 'd');
  g.Set(2, 8, 'd');
  g.Fill(Box(7, 3.5, 8, 8), 'k');
  g.Fill(Box(7, 7, 11, 8), 'k');
  g.Set(8, 8, 'r');
  return g;
}

Grid Ok() {
  Grid g(16, 16);
  g.Fill([](double x, double y) {
    return Segment(3, 8.4, 6.4, 11.8, 1.3)(x, y) || Segment(6.4, 11.8, 13, 4.2, 1.3)(x, y);
  }, 'e');
  g.Outline('E', true);
  return g;
}

Grid Mail2() {
  Grid g(16, 16);
  const Rows envelope = {
      "kkkkkkkkkkkkk",
      "kGhhhhhhhhhGk",
      "kwGhhhhhhhGwk",
      "kwwGhhhhhGwwk",
      "kwwwGhhhGwwwk",
      "kwwwwGhGwwwwk",
      "kwwwwwGwwwwwk",
      "kwwwwwwwwwwwk",
      "kgggggggggggk",
      "kkkkkkkkkkkkk",
  };
  g.Draw(envelope, 0, 5);
  std::vector<std::pair<double, double>> star;
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5;
    double r = i % 2 == 0 ? 4.9 : 2.1;
    star.emplace_back(11.5 + r * std::cos(a), 5.0 + r * std::sin(a));
  }
  Grid s(16, 16);
  s.Fill(Polygon(star), 'y');
  s.FillOver(Disc(10.5, 3.5, 2.2), 'o', "y");
  s.Outline('Y', true);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (s.Get(x, y) != '.') g.Set(x, y, s.Get(x, y));
  return g;
}

// A letter flying to the right, with speed lines and a green arrow.
Grid Delivery() {
  Grid g(48, 48);
  const double x0 = 14, y0 = 12, x1 = 44, y1 = 34;
  g.Fill(Box(x0, y0, x1, y1), 'w');
  g.Fill(Box(x0, y1 - 3, x1, y1), 'g');
  g.Fill(Polygon({{x0, y0}, {x1, y0}, {(x0 + x1) / 2, y0 + 13}}), 'h');
  g.Fill([&](double x, double y) {
    return Segment(x0 + 0.5, y0 + 0.5, (x0 + x1) / 2, y0 + 13, 0.6)(x, y) ||
           Segment(x1 - 0.5, y0 + 0.5, (x0 + x1) / 2, y0 + 13, 0.6)(x, y);
  }, 'G');
  g.Outline('k', false);
  // A stamp in the corner: a green hill under a blue sky inside a perforated white edge.
  const int sx = int(x1) - 10, sy = int(y0) + 2;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 8; ++x) {
      bool edge = x == 0 || y == 0 || x == 7 || y == 8;
      char c = edge ? ((x + y) % 2 == 0 ? 'w' : 'G') : y >= 6 - (x > 3 ? 1 : 0) ? 'e' : 'c';
      g.Set(sx + x, sy + y, c);
    }
  g.Set(sx + 5, sy + 2, 'y');
  for (int i = 0; i < 3; ++i) {
    double y = 17 + i * 6, len = i == 1 ? 11 : 8;
    g.Fill(Box(x0 - 3 - len, y, x0 - 3, y + 1.8), 'c');
    g.Fill(Box(x0 - 3 - len, y + 1, x0 - 3, y + 1.8), 'b');
  }
  Grid arrow(48, 48);
  arrow.Fill(Polygon({{20, 38}, {32, 38}, {32, 35}, {39, 40.5}, {32, 46}, {32, 43}, {20, 43}}), 'e');
  arrow.FillOver(Box(20, 38, 39, 40.5), 'l', "e");
  arrow.Outline('E', true);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x)
      if (arrow.Get(x, y) != '.') g.Set(x, y, arrow.Get(x, y));
  return g;
}

}  // namespace

std::vector<NamedImage> DrawImageLibrary() {
  const std::pair<const char*, Grid (*)()> glyphs[] = {
      {"PL", Pl},          {"SCHEME", Scheme},   {"CONFIG", Config},       {"COMPUTER", Computer},
      {"TOTRAY", ToTray},  {"FROM_TRAY", FromTray}, {"EXIT", Exit},       {"HELP", Help},
      {"WWW", Www},        {"ADDEVENT", AddEvent}, {"DELEVENT", DelEvent}, {"OKEVENT", OkEvent},
      {"CANCELEVENT", CancelEvent}, {"SPEAKER", Speaker}, {"BROWSE", Browse}, {"RUNFILETEST", RunFileTest},
      {"FOTO", Foto},      {"MAIL", Mail},       {"DATE", Date},           {"TIME", Time},
      {"OK", Ok},          {"MAIL2", Mail2},     {"DELIVERY", Delivery},
  };
  std::vector<NamedImage> out;
  for (const auto& [name, draw] : glyphs) {
    Grid grid = draw();
    if (grid.Get(0, grid.height() - 1) != '.')
      throw std::runtime_error(std::string(name) + ": the bottom-left pixel must stay see-through");
    out.push_back({name, grid.ToImage(GlyphPalette())});
  }
  return out;
}

}  // namespace artgen
