#include "resources/bitmap_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace resources {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
// No real info header is larger than the 124-byte version 5; allow some slack for odd writers.
constexpr std::size_t kMaxInfoHeaderSize = 1024;

std::uint32_t U16(const std::string& b, std::size_t at) {
  return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}
std::uint32_t U32(const std::string& b, std::size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1) == 0) ++shift;
    max = mask >> shift;  // bits above a gap in the mask still count towards the range
  }
  std::uint32_t Value(std::uint32_t pixel) const {
    if (max == 0) return 0;
    return std::uint32_t(std::uint64_t((pixel & mask) >> shift) * 255 / max);
  }
};

// Expands run-length coded pixels (8 or 4 bits each) into palette indices, bottom row first.
// Runs and deltas that leave the picture are cut off at its edge; pixels the data never
// reaches keep index 0. Data ending without its end mark gives what it describes so far.
void ExpandRunLength(const std::uint8_t* data, std::size_t size, int bits, int width, int height,
                     std::vector<std::uint8_t>& indices) {
  int x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](std::uint32_t index) {
    if (x >= width) return;
    if (y < height) indices[std::size_t(height - 1 - y) * width + x] = std::uint8_t(index);
    ++x;
  };
  // The n-th pixel of a byte: both halves in turn for 4 bits.
  auto nth = [bits](std::uint8_t byte, int n) -> std::uint32_t {
    return bits == 8 ? byte : (n % 2 == 0 ? byte >> 4 : byte & 0x0F);
  };
  std::size_t at = 0;
  while (at + 1 < size && y < height) {
    const std::uint8_t count = data[at], value = data[at + 1];
    at += 2;
    if (count != 0) {
      for (int n = 0; n < count && x < width; ++n) put(nth(value, n));
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // move right and up
      if (at + 1 >= size) return;
      x = std::min(x + data[at], width);
      y = std::min(y + data[at + 1], height);
      at += 2;
    } else {  // `value` pixels stored as they are, padded to a 16-bit boundary
      const std::size_t bytes = bits == 8 ? value : (value + 1) / 2;
      if (bytes > size - at) return;
      for (int n = 0; n < value; ++n) put(nth(data[at + (bits == 8 ? n : n / 2)], n));
      at += (bytes + 1) & ~std::size_t(1);
    }
  }
}

void PutU16(std::string& out, std::uint32_t v) {
  out.push_back(char(v & 0xFF));
  out.push_back(char((v >> 8) & 0xFF));
}
void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

std::optional<ui::Image> DecodeBmp(const std::string& bytes) {
  const std::size_t size = bytes.size();
  if (size < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const std::uint32_t dataOffset = U32(bytes, 10);
  const std::uint32_t headerSize = U32(bytes, 14);

  std::int64_t width = 0, height = 0;
  std::uint32_t bitCount = 0, compression = kBiRgb, colorsUsed = 0;
  std::size_t paletteEntrySize = 4;
  std::size_t afterHeader = kFileHeaderSize + headerSize;
  std::uint32_t masks[3] = {0, 0, 0};

  if (headerSize == kCoreHeaderSize) {
    width = U16(bytes, 18);
    height = U16(bytes, 20);
    bitCount = U16(bytes, 24);
    paletteEntrySize = 3;
  } else if (headerSize >= kInfoHeaderSize && headerSize <= kMaxInfoHeaderSize) {
    if (size < afterHeader) return std::nullopt;
    width = std::int32_t(U32(bytes, 18));
    height = std::int32_t(U32(bytes, 22));
    bitCount = U16(bytes, 28);
    compression = U32(bytes, 30);
    colorsUsed = U32(bytes, 46);
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
      if (bitCount != 16 && bitCount != 32) return std::nullopt;
      std::size_t maskAt = kFileHeaderSize + kInfoHeaderSize;
      if (headerSize < kInfoHeaderSize + 12) {
        // The masks follow a plain info header (one more for the alpha variant).
        afterHeader += compression == kBiAlphaBitfields ? 16 : 12;
        if (size < afterHeader) return std::nullopt;
      }
      for (int i = 0; i < 3; ++i) masks[i] = U32(bytes, maskAt + 4 * i);
    } else if (compression == kBiRle8 || compression == kBiRle4) {
      if (bitCount != (compression == kBiRle8 ? 8u : 4u)) return std::nullopt;
    } else if (compression != kBiRgb) {
      return std::nullopt;  // JPEG and PNG payloads are not supported
    }
  } else {
    return std::nullopt;
  }

  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      width * height > kMaxBitmapPixels)
    return std::nullopt;
  const bool runLength = compression == kBiRle8 || compression == kBiRle4;
  if (runLength && topDown) return std::nullopt;  // run-length pictures are stored bottom-up only
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return std::nullopt;
  if (headerSize == kCoreHeaderSize && (bitCount == 16 || bitCount == 32)) return std::nullopt;

  std::vector<std::uint32_t> palette;
  if (bitCount <= 8) {
    std::uint32_t count = colorsUsed != 0 ? colorsUsed : 1u << bitCount;
    if (count > 256) return std::nullopt;
    if (size < afterHeader || (size - afterHeader) / paletteEntrySize < count) return std::nullopt;
    palette.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      std::size_t at = afterHeader + i * paletteEntrySize;
      palette[i] = std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 |
                   std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 | std::uint8_t(bytes[at]);
    }
  }
  if (compression == kBiRgb && bitCount == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  } else if (compression == kBiRgb && bitCount == 32) {
    masks[0] = 0x00FF0000;
    masks[1] = 0x0000FF00;
    masks[2] = 0x000000FF;
  }
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

  if (dataOffset < afterHeader || dataOffset > size) return std::nullopt;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data()) + dataOffset;
  ui::Image image(static_cast<int>(width), static_cast<int>(height));
  image.twoColour = bitCount == 1;

  if (runLength) {
    std::vector<std::uint8_t> indices(image.pixels.size(), 0);
    ExpandRunLength(data, size - dataOffset, int(bitCount), image.width, image.height, indices);
    for (std::size_t i = 0; i < indices.size(); ++i) image.pixels[i] = indices[i] < palette.size() ? palette[indices[i]] : 0;
    return image;
  }

  // Every row, padding included, must lie inside the input.
  const std::uint64_t stride = (std::uint64_t(width) * bitCount + 31) / 32 * 4;
  if (stride * std::uint64_t(height) > size - dataOffset) return std::nullopt;
  for (int row = 0; row < image.height; ++row) {
    const std::uint8_t* src = data + stride * std::uint64_t(row);
    const int y = topDown ? row : image.height - 1 - row;
    std::uint32_t* dst = &image.pixels[std::size_t(y) * image.width];
    for (int x = 0; x < image.width; ++x) {
      std::uint32_t index = 0;
      switch (bitCount) {
        case 1: index = (src[x >> 3] >> (7 - (x & 7))) & 1; break;
        case 4: index = (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F; break;
        case 8: index = src[x]; break;
        case 16: {
          std::uint32_t p = src[2 * x] | std::uint32_t(src[2 * x + 1]) << 8;
          dst[x] = red.Value(p) << 16 | green.Value(p) << 8 | blue.Value(p);
          continue;
        }
        case 24: dst[x] = std::uint32_t(src[3 * x + 2]) << 16 | std::uint32_t(src[3 * x + 1]) << 8 | src[3 * x]; continue;
        case 32: {
          const std::uint8_t* q = src + 4 * x;
          std::uint32_t p = q[0] | std::uint32_t(q[1]) << 8 | std::uint32_t(q[2]) << 16 | std::uint32_t(q[3]) << 24;
          dst[x] = red.Value(p) << 16 | green.Value(p) << 8 | blue.Value(p);
          continue;
        }
      }
      // An index past the end of the palette shows as black.
      dst[x] = index < palette.size() ? palette[index] : 0;
    }
  }
  return image;
}

std::string EncodeBmp(const ui::Image& image) {
  if (image.Empty() || image.width > kMaxBitmapSide || image.height > kMaxBitmapSide ||
      image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
    return {};
  const std::uint32_t stride = (std::uint32_t(image.width) * 3 + 3) & ~3u;
  const std::uint32_t dataSize = stride * std::uint32_t(image.height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::string out;
  out.reserve(offset + dataSize);
  out += "BM";
  PutU32(out, offset + dataSize);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, kInfoHeaderSize);
  PutU32(out, std::uint32_t(image.width));
  PutU32(out, std::uint32_t(image.height));
  PutU16(out, 1);   // planes
  PutU16(out, 24);  // bits per pixel
  PutU32(out, kBiRgb);
  PutU32(out, dataSize);
  PutU32(out, 2835);  // 72 dots per inch, in dots per metre
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < image.width; ++x) {
      std::uint32_t p = image.At(x, y);
      out.push_back(char(p & 0xFF));
      out.push_back(char((p >> 8) & 0xFF));
      out.push_back(char((p >> 16) & 0xFF));
    }
    out.append(stride - (out.size() - rowStart), '\0');
  }
  return out;
}

}  // namespace resources
