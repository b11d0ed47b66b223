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
  ui::TSize screen = ui::HasApplication() ? ui::Application().Widgets().ScreenSize() : ui::TSize{1024, 768};
  ui::TPoint p = SnapNotice({form.Left(), form.Top()}, {form.Width(), form.Height()}, screen, threshold);
  form.SetBounds(p.x, p.y, form.Width(), form.Height());
}

ui::Image ProgramPicture(platform::Platform& platform, const std::string& name) {
  auto bytes = platform.programResources().Data(name);
  if (!bytes) return {};
  return resources::DecodeBmp(*bytes).value_or(ui::Image{});
}

}  // namespace notify
