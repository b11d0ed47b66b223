#include "clock/separators.h"

namespace clockface {

int SeparatorLeft(int skinLeft, int digitsLeft, int digitsWidth, int nextLeft, int separatorWidth) {
  if (!(digitsLeft < skinLeft && skinLeft < nextLeft)) return skinLeft;
  const int gap = nextLeft - (digitsLeft + digitsWidth) - separatorWidth;
  const int half = gap >= 0 ? gap / 2 : (gap - 1) / 2;  // rounded down
  return digitsLeft + digitsWidth + half;
}

}  // namespace clockface
