// Peers of the page control (the system's tab control, its pages container windows inside it)
// and of the track bar (the system's track bar).
#include <windows.h>
#include <commctrl.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <cstring>

#include "ui/comctrls.h"
#include "ui/dpi.h"
#include "ui/win32/win32_container.h"
#include "ui/win32/win32_widgetset.h"

namespace ui::win32 {

namespace {

// A bitmap of the picture for an image list.
HBITMAP BitmapOf(HDC dc, const Image& image) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = image.width;
  bi.bmiHeader.biHeight = -image.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
  return bitmap;
}

class Win32PageControlPeer : public Win32ControlPeer<PageControlPeer> {
 public:
  Win32PageControlPeer(Backend& backend, TPageControl& pages) : Win32ControlPeer(backend, pages), pages_(pages) {
    bool bottom = pages.TabPosition() == TTabPosition::tpBottom;
    const DWORD style = pages.Style == TTabStyle::tsTabs      ? 0
                        : pages.Style == TTabStyle::tsButtons ? TCS_BUTTONS
                                                              : TCS_BUTTONS | TCS_FLATBUTTONS;
    Create(WC_TABCONTROLW, WS_TABSTOP | WS_CLIPCHILDREN | (bottom ? TCS_BOTTOM : 0) |
                               (pages.MultiLine ? TCS_MULTILINE : 0) | style);
    SetTabs(pages.Tabs());
    SetActiveTab(pages.ActivePageIndex());
  }
  ~Win32PageControlPeer() override {
    if (Handle()) SendMessageW(Handle(), TCM_SETIMAGELIST, 0, 0);
    if (images_) comctl::ImageListDestroy(images_);
  }

  void SetCaption(const std::string&) override {}

  void SetTabs(const std::vector<PageTab>& tabs) override {
    if (!Handle() || tabs == tabs_) return;
    tabs_ = tabs;
    // One image list of the pictures, all of the first picture's size.
    HIMAGELIST list = nullptr;
    std::vector<int> imageOf(tabs.size(), -1);
    const int dpi = pages_.Dpi();
    for (std::size_t i = 0; i < tabs.size(); ++i) {
      if (tabs[i].image.Empty()) continue;
      // At the control's density, scaled smoothly with the see-through colour kept.
      const Image& image = backend_.Scaled(tabs[i].image, ScaleValue(tabs[i].image.DesignedWidth(), dpi),
                                           ScaleValue(tabs[i].image.DesignedHeight(), dpi), true, 0, false);
      if (!list) list = comctl::ImageListCreate(image.width, image.height, ILC_COLOR24 | ILC_MASK, int(tabs.size()), 0);
      if (!list) break;
      HBITMAP bitmap = BitmapOf(nullptr, image);  // a DIB section needs no device
      if (bitmap) {
        imageOf[i] = comctl::ImageListAddMasked(list, bitmap, COLORREF(PixelToColor(image.BottomLeft())));
        DeleteObject(bitmap);
      }
    }
    SendMessageW(Handle(), TCM_SETIMAGELIST, 0, LPARAM(list));
    if (images_) comctl::ImageListDestroy(images_);
    images_ = list;

    SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < tabs.size(); ++i) {
      std::wstring text = Widen(tabs[i].caption);
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_IMAGE;
      item.pszText = text.data();
      item.iImage = imageOf[i];
      SendMessageW(Handle(), TCM_INSERTITEMW, WPARAM(i), LPARAM(&item));
    }
  }

  void SetActiveTab(int index) override {
    if (Handle()) SendMessageW(Handle(), TCM_SETCURSEL, WPARAM(index), 0);
  }

  void SetTabsAtBottom(bool bottom) override {
    if (!Handle()) return;
    auto style = DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE));
    style = bottom ? style | TCS_BOTTOM : style & ~DWORD(TCS_BOTTOM);
    SetWindowLongPtrW(Handle(), GWL_STYLE, LONG_PTR(style));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
  }

  TRect DisplayRect() override {
    if (!Handle()) return {};
    RECT r{};
    GetClientRect(Handle(), &r);
    SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, LPARAM(&r));
    // In designed pixels, rounded inwards so that a page never covers the tabs.
    const TRect outward = UnscaleRectOutward({int(r.right), int(r.bottom), int(r.left), int(r.top)}, pages_.Dpi());
    return {outward.right, outward.bottom, outward.left, outward.top};
  }

 protected:
  // Beside the tabs the control stands on its parent's colour.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (msg != WM_ERASEBKGND) return false;
    RECT client{};
    GetClientRect(Handle(), &client);
    ::FillRect(HDC(wParam), &client, backend_.Brush(pages_.EffectiveColor()));
    result = 1;
    return true;
  }

  bool OnNotify(NMHDR& header, LRESULT&) override {
    if (header.code == UINT(TCN_SELCHANGE)) {
      pages_.TabClicked(int(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)));
      return true;
    }
    // Buttons move only the focus on the arrow keys; the page follows it, as with tabs.
    if (header.code == UINT(TCN_FOCUSCHANGE)) {
      const auto focused = int(SendMessageW(Handle(), TCM_GETCURFOCUS, 0, 0));
      if (focused >= 0 && GetFocus() == Handle()) pages_.TabClicked(focused);
      return true;
    }
    return false;
  }

 private:
  TPageControl& pages_;
  std::vector<PageTab> tabs_;
  HIMAGELIST images_ = nullptr;
};

class Win32TabSheetPeer : public Win32ContainerPeer<TabSheetPeer> {
 public:
  Win32TabSheetPeer(Backend& backend, TTabSheet& sheet) : Win32ContainerPeer(backend, sheet), sheet_(sheet) {
    CreateContainer(L"HoravoPage");
  }

 protected:
  void PaintSurface(GdiCanvas& canvas, int width, int height) override {
    canvas.FillRect({0, 0, width, height}, sheet_.EffectiveColor());
  }

 private:
  TTabSheet& sheet_;
};

class Win32TrackBarPeer : public Win32ControlPeer<TrackBarPeer> {
 public:
  Win32TrackBarPeer(Backend& backend, TTrackBar& bar) : Win32ControlPeer(backend, bar), bar_(bar) {
    Create(TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM);
    SetRange(bar.Min(), bar.Max());
    SetFrequency(bar.Frequency());
    SetPosition(bar.Position());
  }

  void SetCaption(const std::string&) override {}
  void SetRange(int min, int max) override {
    if (!Handle()) return;
    SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min);
    SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max);
  }
  void SetFrequency(int frequency) override {
    if (Handle()) SendMessageW(Handle(), TBM_SETTICFREQ, WPARAM(frequency), 0);
  }
  void SetPosition(int position) override {
    if (Handle()) SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
  }

 protected:
  bool OnScroll(unsigned, LRESULT&) override {
    bar_.UserMoved(int(SendMessageW(Handle(), TBM_GETPOS, 0, 0)));
    return true;
  }
  bool OnColor(HDC dc, LRESULT& result) override {
    return ColorAs(dc, bar_.EffectiveColor(), bar_.Font().color, result);
  }

 private:
  TTrackBar& bar_;
};

}  // namespace

}  // namespace ui::win32

namespace ui {

std::unique_ptr<PageControlPeer> Win32WidgetSet::CreatePageControlPeer(TPageControl& pageControl) {
  return std::make_unique<win32::Win32PageControlPeer>(Shared(), pageControl);
}
std::unique_ptr<TabSheetPeer> Win32WidgetSet::CreateTabSheetPeer(TTabSheet& sheet) {
  return std::make_unique<win32::Win32TabSheetPeer>(Shared(), sheet);
}
std::unique_ptr<TrackBarPeer> Win32WidgetSet::CreateTrackBarPeer(TTrackBar& trackBar) {
  return std::make_unique<win32::Win32TrackBarPeer>(Shared(), trackBar);
}

}  // namespace ui
