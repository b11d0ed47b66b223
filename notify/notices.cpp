#include "notify/notices.h"

#include <algorithm>

#include "resources/bitmap_file.h"
#include "ui/application.h"

namespace notify {

namespace {
constexpr int kReferenceWidth = 1024;
constexpr int kReferenceHeight = 768;
}  // namespace

ui::TPoint SnapNotice(ui::TPoint pos, ui::TSize window, ui::TSize screen, int threshold) {
  const int dx = screen.cx - kReferenceWidth;
  const int dy = screen.cy - kReferenceHeight;
  if (pos.x >= 559 + dx) pos.x = std::min(619 + dx, screen.cx - window.cx);
  if (pos.y >= 507 + dy) pos.y = std::min(567 + dy, screen.cy - window.cy);
  if (pos.x <= threshold) pos.x = 0;
  if (pos.y <= threshold) pos.y = 0;
  return pos;
}

void DragAndSnap(ui::TForm& form, ui::TMouseButton button, int threshold) {
  if (button == ui::TMouseButton::mbLeft) form.BeginMove();
  // Within the work area of the monitor the notice stands on, in that monitor's pixels.
  const ui::TRect window = form.ScreenRect();
  const ui::TPoint centre{window.left + window.Width() / 2, window.top + window.Height() / 2};
  const ui::TRect area = ui::HasApplication() ? ui::Application().Widgets().WorkAreaAt(centre) : ui::TRect{0, 0, 1024, 768};
  ui::TPoint p = SnapNotice({window.left - area.left, window.top - area.top}, {window.Width(), window.Height()},
                            {area.Width(), area.Height()}, threshold);
  form.SetBounds(p.x + area.left, p.y + area.top, form.Width(), form.Height());
}

ui::Image ProgramPicture(platform::Platform& platform, const std::string& name) {
  auto bytes = platform.programResources().Data(name);
  if (!bytes) return {};
  return resources::DecodeBmp(*bytes).value_or(ui::Image{});
}

}  // namespace notify
