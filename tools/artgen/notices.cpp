#include "tools/artgen/notices.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "tools/artgen/canvas.h"

namespace artgen {
namespace {

using Inside = std::function<bool(double, double)>;
using Paint = std::function<std::uint32_t(double, double)>;

// The panels the see-through pictures lie on (the windows' colours, as 0xRRGGBB).
constexpr std::uint32_t kBirthdayPanel = Rgb(255, 240, 232);
constexpr std::uint32_t kHolidayPanel = Rgb(234, 242, 255);

// A picture painted in layers with smoothed edges. Each layer covers a pixel by the share of
// its 4 x 4 sample points inside the shape. Pixels no layer touched become the key colour
// when the picture is see-through.
class Layers {
 public:
  Layers(int width, int height, std::uint32_t ground)
      : image_(width, height, ground), touched_(std::size_t(width) * height, 0.0) {}

  void Fill(const Inside& inside, const Paint& paint, double opacity = 1.0) {
    constexpr int kSamples = 4;
    for (int y = 0; y < image_.height; ++y)
      for (int x = 0; x < image_.width; ++x) {
        int hits = 0;
        for (int sy = 0; sy < kSamples; ++sy)
          for (int sx = 0; sx < kSamples; ++sx)
            if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++hits;
        if (!hits) continue;
        double cover = opacity * hits / (kSamples * kSamples);
        auto& p = image_.At(x, y);
        p = Mix(p, paint(x + 0.5, y + 0.5), cover);
        double& t = touched_[std::size_t(y) * image_.width + x];
        t = std::min(1.0, t + cover);
      }
  }
  void Fill(const Inside& inside, std::uint32_t color, double opacity = 1.0) {
    Fill(inside, [color](double, double) { return color; }, opacity);
  }

  ui::Image Opaque() const { return image_; }
  // The picture on the key colour: untouched pixels are see-through.
  ui::Image SeeThrough() const {
    ui::Image out = image_;
    for (std::size_t i = 0; i < out.pixels.size(); ++i)
      if (touched_[i] < 0.02) out.pixels[i] = kKey;
    return out;
  }
  ui::Image& image() { return image_; }

 private:
  ui::Image image_;
  std::vector<double> touched_;
};

Inside Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1;
  };
}

Inside Either(Inside a, Inside b) {
  return [=](double x, double y) { return a(x, y) || b(x, y); };
}

// A cylinder's side lit from the upper left: darker towards its edges, lighter left of centre.
Paint Cylinder(std::uint32_t base, double cx, double rx) {
  return [=](double x, double) {
    double u = (x - cx) / rx;
    std::uint32_t c = Mix(base, Rgb(255, 255, 255), std::max(0.0, 0.35 - std::abs(u + 0.35)) * 0.9);
    return Mix(c, Rgb(120, 40, 60), std::pow(std::min(1.0, std::abs(u)), 3) * 0.35);
  };
}

// A fixed scatter of points, the same at every build.
double Scatter(int i, int k) {
  unsigned v = unsigned(i) * 2654435761u ^ unsigned(k) * 40503u;
  v ^= v >> 13;
  v *= 0x5bd1e995u;
  v ^= v >> 15;
  return (v % 10000) / 10000.0;
}

void DrawCandle(Layers& l, double cx, std::uint32_t stripe) {
  l.Fill(Box(cx - 2.5, 31, cx + 2.5, 51), [=](double x, double y) {
    bool band = std::fmod(y + x * 0.6, 6.0) < 3.0;
    return Mix(band ? stripe : Rgb(255, 255, 255), Rgb(90, 90, 120), std::max(0.0, (x - cx) / 2.5) * 0.3);
  });
  l.Fill(Segment(cx, 31, cx, 27.5, 0.5), Rgb(60, 50, 40));
  // The flame: a soft glow, then an orange drop with a yellow heart.
  l.Fill(Ellipse(cx, 23, 6, 7), Rgb(255, 236, 150), 0.35);
  l.Fill(Either(Ellipse(cx, 25, 2.8, 3.2), Polygon({{cx - 2.6, 24.3}, {cx + 2.6, 24.3}, {cx, 17}})), Rgb(255, 150, 30));
  l.Fill(Ellipse(cx, 25.3, 1.4, 2.0), Rgb(255, 238, 120));
}

}  // namespace

ui::Image DrawBirthdayPicture() {
  Layers l(128, 128, Rgb(255, 246, 236));
  // The ground: warm light, a glow behind the cake, a thin frame.
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      double v = y / 127.0;
      double gx = (x - 64) / 70.0, gy = (y - 70) / 70.0;
      std::uint32_t c = Mix(Rgb(255, 249, 240), Rgb(255, 221, 210), v);
      l.image().At(x, y) = Mix(c, Rgb(255, 255, 255), 0.6 * std::exp(-(gx * gx + gy * gy) * 3));
    }
  const std::uint32_t confetti[] = {Rgb(240, 90, 110), Rgb(80, 160, 230), Rgb(250, 190, 40), Rgb(90, 190, 120),
                                    Rgb(170, 110, 220)};
  for (int i = 0; i < 34; ++i) {
    double x = 6 + Scatter(i, 1) * 116, y = 5 + Scatter(i, 2) * 60;
    if (std::abs(x - 64) < 34 && y > 14) continue;  // keep the candles clear
    double a = Scatter(i, 3) * 3.1416;
    l.Fill(Segment(x - 2 * std::cos(a), y - 2 * std::sin(a), x + 2 * std::cos(a), y + 2 * std::sin(a), 0.9),
           confetti[i % 5]);
  }

  // Plate.
  l.Fill(Ellipse(64, 112, 54, 9), Rgb(196, 170, 170), 0.5);
  l.Fill(Ellipse(64, 110, 52, 8), Rgb(244, 244, 250));
  l.Fill(Ellipse(64, 109, 45, 5.5), Rgb(226, 226, 236));

  // Bottom tier: strawberry, with a cream top running down its side and a ribbon.
  const std::uint32_t pink = Rgb(246, 168, 186);
  l.Fill(Either(Box(22, 76, 106, 106), Ellipse(64, 106, 42, 7)), Cylinder(pink, 64, 42));
  l.Fill(Box(22, 93, 106, 98), Cylinder(Rgb(214, 70, 110), 64, 42));
  l.Fill(Either(Ellipse(64, 76, 42, 8),
                [](double x, double y) {
                  if (x < 22.3 || x > 105.7 || y < 76) return false;
                  double drip = 6 + 4 * std::sin(x * 0.55) + 3 * std::sin(x * 1.3 + 1);
                  return y < 76 + drip;
                }),
         Cylinder(Rgb(255, 250, 246), 64, 42));
  for (int i = 0; i < 7; ++i) l.Fill(Ellipse(30 + i * 11.3, 101.5, 2.2, 2.2), Rgb(255, 246, 250));

  // Top tier: vanilla with a chocolate top and cherries.
  const std::uint32_t vanilla = Rgb(255, 226, 150);
  l.Fill(Either(Box(37, 53, 91, 75), Ellipse(64, 75, 27, 5.5)), Cylinder(vanilla, 64, 27));
  l.Fill(Either(Ellipse(64, 53, 27, 5.5),
                [](double x, double y) {
                  if (x < 37.3 || x > 90.7 || y < 53) return false;
                  return y < 53 + 4 + 3 * std::sin(x * 0.7);
                }),
         Cylinder(Rgb(122, 70, 40), 64, 27));
  for (double cx : {44.0, 84.0}) {
    l.Fill(Ellipse(cx, 52, 3.4, 3.4), Rgb(200, 20, 40));
    l.Fill(Ellipse(cx - 1.1, 50.9, 1.1, 1.1), Rgb(255, 170, 170));
  }

  DrawCandle(l, 52, Rgb(90, 150, 230));
  DrawCandle(l, 64, Rgb(236, 80, 110));
  DrawCandle(l, 76, Rgb(90, 190, 120));

  // A frame, so the picture sits in the window like a card.
  ui::Image image = l.Opaque();
  for (int i = 0; i < 128; ++i) {
    for (auto [x, y] : {std::pair{i, 0}, std::pair{i, 127}, std::pair{0, i}, std::pair{127, i}})
      image.At(x, y) = Rgb(214, 150, 140);
  }
  return image;
}

ui::Image DrawBirthdayDecoration(std::uint32_t panel) {
  Layers l(72, 176, panel);
  struct Balloon {
    double cx, cy, rx, ry;
    std::uint32_t color;
  };
  const Balloon balloons[] = {{22, 30, 16, 20, Rgb(232, 60, 80)},
                              {52, 50, 15.5, 19.5, Rgb(70, 140, 230)},
                              {28, 84, 14.5, 18.5, Rgb(250, 186, 40)}};
  const double knotX = 38, knotY = 156;
  // Strings first, so the balloons hang in front of them.
  for (const auto& b : balloons) {
    double x0 = b.cx, y0 = b.cy + b.ry + 3;
    const int kSteps = 24;
    for (int i = 0; i < kSteps; ++i) {
      double t0 = double(i) / kSteps, t1 = double(i + 1) / kSteps;
      auto at = [&](double t) {
        double x = x0 + (knotX - x0) * t + 3 * std::sin(t * 9 + b.cx);
        double y = y0 + (knotY - y0) * t;
        return std::pair{x * (1 - t * t) + knotX * t * t, y};
      };
      auto [ax, ay] = at(t0);
      auto [bx, by] = at(t1);
      l.Fill(Segment(ax, ay, bx, by, 0.45), Rgb(120, 110, 120));
    }
  }
  for (const auto& b : balloons) {
    Paint shade = [b](double x, double y) {
      double dx = (x - b.cx) / b.rx + 0.35, dy = (y - b.cy) / b.ry + 0.4;
      double d = std::sqrt(dx * dx + dy * dy);
      return Mix(Mix(b.color, Rgb(255, 255, 255), std::max(0.0, 0.45 - d) * 0.8), Rgb(40, 20, 40),
                 std::max(0.0, d - 0.9) * 0.45);
    };
    l.Fill(Ellipse(b.cx, b.cy, b.rx, b.ry), shade);
    double kx = b.cx, ky = b.cy + b.ry;
    l.Fill(Polygon({{kx - 2.5, ky + 3}, {kx + 2.5, ky + 3}, {kx, ky - 1}}), Mix(b.color, Rgb(0, 0, 0), 0.25));
    l.Fill(Ellipse(b.cx - b.rx * 0.4, b.cy - b.ry * 0.45, b.rx * 0.18, b.ry * 0.26), Rgb(255, 255, 255), 0.75);
  }
  // The bow that ties the strings.
  const std::uint32_t bow = Rgb(220, 70, 140);
  l.Fill(Polygon({{knotX, knotY}, {knotX - 10, knotY - 6}, {knotX - 9, knotY + 6}}), bow);
  l.Fill(Polygon({{knotX, knotY}, {knotX + 10, knotY - 6}, {knotX + 9, knotY + 6}}), bow);
  l.Fill(Polygon({{knotX - 1, knotY}, {knotX - 6, knotY + 14}, {knotX - 2, knotY + 13}}), bow);
  l.Fill(Polygon({{knotX + 1, knotY}, {knotX + 6, knotY + 14}, {knotX + 2, knotY + 13}}), bow);
  l.Fill(Ellipse(knotX, knotY, 2.6, 2.6), Mix(bow, Rgb(0, 0, 0), 0.2));
  return l.SeeThrough();
}

ui::Image DrawHolidayClose(bool lit, std::uint32_t panel) {
  Layers l(14, 14, panel);
  std::uint32_t disc = lit ? Rgb(222, 64, 64) : Rgb(150, 168, 198);
  l.Fill(Ellipse(7, 7, 6.6, 6.6), Mix(disc, Rgb(0, 0, 0), 0.25));
  l.Fill(Ellipse(7, 7, 5.7, 5.7), [disc](double x, double y) {
    return Mix(disc, Rgb(255, 255, 255), std::max(0.0, (10 - x - y) / 20.0) * 0.6);
  });
  l.Fill(Segment(4.6, 4.6, 9.4, 9.4, 0.85), Rgb(255, 255, 255));
  l.Fill(Segment(9.4, 4.6, 4.6, 9.4, 0.85), Rgb(255, 255, 255));
  return l.SeeThrough();
}

void WriteNoticePictures(const std::filesystem::path& dir) {
  WriteBitmap(dir / "BIRTHDAY.bmp", DrawBirthdayPicture());
  WriteBitmap(dir / "BIRTHDAYDECOR.bmp", DrawBirthdayDecoration(kBirthdayPanel));
  WriteBitmap(dir / "HOLIDAYCLOSE.bmp", DrawHolidayClose(false, kHolidayPanel));
  WriteBitmap(dir / "HOLIDAYCLOSEHOT.bmp", DrawHolidayClose(true, kHolidayPanel));
}

}  // namespace artgen
