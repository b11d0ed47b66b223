#include "ui/dpi.h"

#include <algorithm>
#include <cmath>

namespace ui {

TRect UnscaleRectOutward(TRect r, int dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return r;
  auto down = [dpi](int v) {
    long long n = (long long)v * kDesignDpi;
    return int(n >= 0 ? n / dpi : -((-n + dpi - 1) / dpi));
  };
  auto up = [dpi](int v) {
    long long n = (long long)v * kDesignDpi;
    return int(n >= 0 ? (n + dpi - 1) / dpi : -((-n) / dpi));
  };
  return {down(r.left), down(r.top), up(r.right), up(r.bottom)};
}

namespace {

bool IsKey(std::uint32_t pixel, std::initializer_list<std::uint32_t> keys) {
  return std::find(keys.begin(), keys.end(), pixel & 0xFFFFFFu) != keys.end();
}

// Where the centre of target pixel `i` falls in the source, in source pixels (centre at .5).
double SourceCentre(int i, int target, int source) { return (i + 0.5) * source / target - 0.5; }

}  // namespace

Image ScaleImage(const Image& source, int width, int height, std::initializer_list<std::uint32_t> keys) {
  if (source.Empty() || width <= 0 || height <= 0) return {};
  if (width == source.width && height == source.height) return source;
  Image out(width, height);
  out.twoColour = source.twoColour;
  out.dpi = source.dpi;
  for (int y = 0; y < height; ++y) {
    const double sy = std::clamp(SourceCentre(y, height, source.height), 0.0, double(source.height - 1));
    const int y0 = int(sy), y1 = std::min(y0 + 1, source.height - 1);
    const double fy = sy - y0;
    const int nearestY = std::min(int(sy + 0.5), source.height - 1);
    for (int x = 0; x < width; ++x) {
      const double sx = std::clamp(SourceCentre(x, width, source.width), 0.0, double(source.width - 1));
      const int x0 = int(sx), x1 = std::min(x0 + 1, source.width - 1);
      const double fx = sx - x0;
      const std::uint32_t nearest = source.At(std::min(int(sx + 0.5), source.width - 1), nearestY);
      if (source.twoColour || IsKey(nearest, keys)) {
        out.At(x, y) = nearest;
        continue;
      }
      const std::uint32_t corners[4] = {source.At(x0, y0), source.At(x1, y0), source.At(x0, y1), source.At(x1, y1)};
      const double weights[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
      double sum[3] = {0, 0, 0}, total = 0;
      for (int i = 0; i < 4; ++i) {
        if (weights[i] <= 0 || IsKey(corners[i], keys)) continue;
        total += weights[i];
        for (int c = 0; c < 3; ++c) sum[c] += weights[i] * ((corners[i] >> (16 - 8 * c)) & 0xFF);
      }
      if (total <= 0) {
        out.At(x, y) = nearest;
        continue;
      }
      std::uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c) pixel |= std::uint32_t(std::lround(sum[c] / total)) << (16 - 8 * c);
      // A blend that happens to hit a key colour would turn see-through: keep the nearest pixel.
      out.At(x, y) = IsKey(pixel, keys) ? nearest : pixel;
    }
  }
  return out;
}

}  // namespace ui
