#include "notify/notices.h"

#include <algorithm>

#include "resources/bitmap_file.h"
#include "ui/application.h"

namespace notify {

namespace {
constexpr int kReferenceWidth = 1024;
constexpr int kReferenceHeight = 768;
constexpr ui::TColor kNoteColor = 0xD6F8FF;     // a pale yellow, the colour of a note
constexpr ui::TColor kHeadingColor = 0x104060;  // dark brown
}  // namespace

NoteFrame BuildNoteFrame(ui::TForm& form, const std::string& heading, int clientWidth, int clientHeight) {
  form.SetBorderStyle(ui::TBorderStyle::bsNone);
  form.SetFormStyle(ui::TFormStyle::fsStayOnTop);
  form.Position = ui::TPosition::poScreenCenter;
  form.SetClientWidth(clientWidth);
  form.SetClientHeight(clientHeight);

  auto* panel = new ui::TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(ui::TAlign::alClient);
  panel->SetColor(kNoteColor);
  panel->SetBevelWidth(2);

  auto* label = new ui::TLabel(&form);
  label->SetParent(panel);
  label->SetFont({"Tahoma", 10, kHeadingColor, true});
  label->SetCaption(heading);
  label->SetLeft(12);
  label->SetTop(10);
  return {panel, label};
}

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
