#include "clock/separators.h"

#include <algorithm>

namespace clockface {

int SeparatorLeft(int skinLeft, int digitsLeft, int digitsWidth, int nextLeft, int separatorWidth) {
  if (!(digitsLeft < skinLeft && skinLeft < nextLeft)) return skinLeft;
  const int gap = nextLeft - (digitsLeft + digitsWidth) - separatorWidth;
  const int half = gap >= 0 ? gap / 2 : (gap - 1) / 2;  // rounded down
  return digitsLeft + digitsWidth + half;
}

int RoomToTheRight(const platform::TRect& text, const std::vector<platform::TRect>& obstacles, int faceWidth) {
  int right = faceWidth;
  for (const platform::TRect& o : obstacles) {
    const bool sameRows = o.top < text.bottom && text.top < o.bottom;
    if (sameRows && o.left > text.left) right = std::min(right, o.left);
  }
  return std::max(0, right - text.left - 1);
}

int SizeThatFits(int size, int smallest, int room, const std::function<int(int)>& widthAt) {
  if (size <= smallest) return size;
  for (; size > smallest; --size)
    if (widthAt(size) <= room) return size;
  return smallest;
}

}  // namespace clockface
