#include <windows.h>
#include <uxtheme.h>
#include <vssym32.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <cstring>

#include "ui/dpi.h"
#include "ui/win32/win32_helpers.h"

namespace ui::win32 {

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top row first, as ui::Image keeps it
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace

TRect GdiCanvas::PaintRect() const {
  return paintRect_ == kEverywhere ? paintRect_ : UnscaleRectOutward(paintRect_, dpi_);
}

void GdiCanvas::FillRect(TRect r, TColor color) {
  r = ScaleRect(r, dpi_);
  RECT rect{r.left, r.top, r.right, r.bottom};
  HBRUSH brush = CreateSolidBrush(systemColors_ ? GetSysColor(COLOR_BTNFACE) : ResolveColor(color));
  ::FillRect(dc_, &rect, brush);
  DeleteObject(brush);
}

void GdiCanvas::DrawImage(const Image& source, TRect dest, bool transparent) {
  dest = ScaleRect(dest, dpi_);
  if (source.Empty() || dest.Width() <= 0 || dest.Height() <= 0) return;
  // In the system's colours the opaque pictures (backgrounds, photos) give way to the plain
  // face; pictures with see-through parts (icons, glyphs) stay.
  if (systemColors_ && !transparent) return;
  // A picture not drawn at its own size is scaled smoothly once (and kept while it is drawn
  // so), its see-through colours exact, then copied pixel for pixel.
  const Image& image = source.width == dest.Width() && source.height == dest.Height()
                           ? source
                           : backend_.Scaled(source, dest.Width(), dest.Height(), transparent,
                                             key_ ? ColorToPixel(ResolveColor(*key_)) : 0, key_.has_value());
  BITMAPINFO bi = TopDown32(image.width, image.height);
  // Nearest-pixel stretching: smoothing would mix the transparent colour into its neighbours
  // and leave a visible seam around see-through parts.
  int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
  if (!transparent) {
    // ui::Image pixels (0x00RRGGBB) are exactly the memory layout of a 32-bit DIB.
    StretchDIBits(dc_, dest.left, dest.top, dest.Width(), dest.Height(), 0, 0, image.width, image.height,
                  image.pixels.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  } else {
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
      std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
      HDC source = CreateCompatibleDC(dc_);
      HGDIOBJ old = SelectObject(source, dib);
      TransparentBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), source, 0, 0, image.width, image.height,
                     COLORREF(PixelToColor(image.TransparentKey())));
      SelectObject(source, old);
      DeleteDC(source);
    }
    if (dib) DeleteObject(dib);
  }
  SetStretchBltMode(dc_, oldMode);
}

void GdiCanvas::DrawText(const std::string& text, TPoint at, const TFont& font) {
  if (text.empty()) return;
  HGDIOBJ old = SelectObject(dc_, backend_.Font(font, crispText_, dpi_));
  at = ScalePoint(at, dpi_);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, systemColors_ ? GetSysColor(COLOR_BTNTEXT) : ResolveColor(font.color));
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  int y = at.y;
  for (const std::string& line : TextLines(text)) {
    std::wstring wide = Widen(line);
    if (!wide.empty()) TextOutW(dc_, at.x, y, wide.c_str(), int(wide.size()));
    y += tm.tmHeight;
  }
  SelectObject(dc_, old);
}

void GdiCanvas::DrawButtonFace(TRect r, bool down, bool hot, bool enabled) {
  r = ScaleRect(r, dpi_);
  RECT rect{r.left, r.top, r.right, r.bottom};
  if (HTHEME theme = OpenThemeData(nullptr, L"BUTTON")) {
    int state = !enabled ? PBS_DISABLED : down ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL;
    DrawThemeBackground(theme, dc_, BP_PUSHBUTTON, state, &rect, nullptr);
    CloseThemeData(theme);
    return;
  }
  DrawFrameControl(dc_, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
}

void PaintBuffered(HWND hwnd, Backend& backend, bool crispText,
                   const std::function<void(GdiCanvas&, int width, int height)>& draw, int dpi,
                   std::optional<TColor> key) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client{};
  GetClientRect(hwnd, &client);
  int width = client.right - client.left, height = client.bottom - client.top;
  // The bitmap covers only the part to renew; drawing is shifted so that it lands there, and
  // what falls outside costs nothing.
  RECT area{};
  if (!IntersectRect(&area, &ps.rcPaint, &client)) area = RECT{};
  const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  if (dc && areaWidth > 0 && areaHeight > 0) {
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, areaWidth, areaHeight);
    if (memory && bitmap) {
      HGDIOBJ old = SelectObject(memory, bitmap);
      SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
      GdiCanvas canvas(backend, memory, crispText, {area.left, area.top, area.right, area.bottom}, dpi, key);
      const TRect designed = UnscaleRectOutward({0, 0, width, height}, dpi);
      draw(canvas, designed.right, designed.bottom);
      SetViewportOrgEx(memory, 0, 0, nullptr);
      BitBlt(dc, area.left, area.top, areaWidth, areaHeight, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
  }
  EndPaint(hwnd, &ps);
}

}  // namespace ui::win32
