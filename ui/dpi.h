// Scaling between the designed geometry of windows (pixels at 96 dots per inch) and the pixels
// of a monitor with another density. Controls keep their designed positions, sizes and font
// sizes; a window's native side maps them through these rules for the monitor it stands on.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "ui/types.h"

namespace ui {

constexpr int kDesignDpi = 96;

// A designed length in pixels at `dpi`, rounded to the nearest pixel (halves away from zero).
constexpr int ScaleValue(int designed, int dpi) {
  const long long n = (long long)designed * dpi;
  return int(n >= 0 ? (n + kDesignDpi / 2) / kDesignDpi : -((-n + kDesignDpi / 2) / kDesignDpi));
}
// A length in pixels at `dpi` as a designed length, rounded the same way.
constexpr int UnscaleValue(int pixels, int dpi) {
  if (dpi <= 0) return pixels;
  const long long n = (long long)pixels * kDesignDpi;
  return int(n >= 0 ? (n + dpi / 2) / dpi : -((-n + dpi / 2) / dpi));
}

// The edges are scaled, not the sizes, so that controls that touch in the design still touch.
constexpr TRect ScaleRect(TRect r, int dpi) {
  return {ScaleValue(r.left, dpi), ScaleValue(r.top, dpi), ScaleValue(r.right, dpi), ScaleValue(r.bottom, dpi)};
}
constexpr TPoint ScalePoint(TPoint p, int dpi) { return {ScaleValue(p.x, dpi), ScaleValue(p.y, dpi)}; }
constexpr TPoint UnscalePoint(TPoint p, int dpi) { return {UnscaleValue(p.x, dpi), UnscaleValue(p.y, dpi)}; }
// The designed rectangle that covers every pixel of `r` (rounded outwards): what must be
// painted again when those pixels are.
TRect UnscaleRectOutward(TRect r, int dpi);

// The size of a window on a monitor of `dpi`: its client area scaled, plus the frame the system
// draws around it at that density (`frameAtDpi`, in the monitor's pixels). `designedFrame` is
// the frame the designed size includes (its size at 96 dpi).
constexpr TSize ScaledWindowSize(TSize designed, TSize designedFrame, TSize frameAtDpi, int dpi) {
  return {ScaleValue(designed.cx - designedFrame.cx, dpi) + frameAtDpi.cx,
          ScaleValue(designed.cy - designedFrame.cy, dpi) + frameAtDpi.cy};
}

// Where a window of `size` (screen pixels) stands centred in `area`; a window larger than the
// area keeps its top-left corner inside it, so its title bar can still be reached.
inline TPoint CentreIn(TRect area, TSize size) {
  int x = area.left + (area.right - area.left - size.cx) / 2, y = area.top + (area.bottom - area.top - size.cy) / 2;
  return {x < area.left ? area.left : x, y < area.top ? area.top : y};
}

// Pictures drawn at twice the designed size are preferred from 150 % on: scaled down from
// there they stay sharper than a designed picture scaled up.
constexpr bool WantsDoubleSizePictures(int dpi) { return dpi >= 144; }

// The picture scaled to `width` x `height` with smoothing (bilinear), except that every pixel
// of one of the `keys` colours (see-through colours) stays that exact colour and is never mixed
// into its neighbours: a target pixel whose nearest source pixel is a key takes that key, any
// other is blended from the non-key source pixels around it only. So a see-through area keeps a
// clean edge with no pixels half of the key colour. Two-colour pictures are scaled to the
// nearest pixel, as smoothing would make them many-coloured.
Image ScaleImage(const Image& source, int width, int height, std::initializer_list<std::uint32_t> keys);

}  // namespace ui
