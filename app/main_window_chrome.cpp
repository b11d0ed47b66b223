// Chrome of the borderless clock window: what a frame would otherwise give it. Moving by the
// clock face or any of its labels and snapping to the screen edges, the two skinned buttons
// with their default, hover and pressed pictures, the tray toggle, closing, and the double
// click on the face.
#include <cstdlib>

#include "app/forms.h"
#include "app/main_window.h"
#include "chrome/placement.h"
#include "resources/picture.h"
#include "ui/application.h"
#include "ui/dpi.h"

using namespace std::placeholders;

namespace {

const char* const kToTrayCaption = "Свернуть в трей";
const char* const kFromTrayCaption = "Восстановить из трея";
// How far the pointer goes with the button held before a press on a label becomes a move (the
// system's usual drag distance): a hand that trembles while clicking still clicks.
constexpr int kDragDistance = 4;

}  // namespace

void TForm1::BuildChromeDesign() {
  Image1->OnMouseDown = std::bind(&TForm1::Image1MouseDown, this, _1, _2, _3, _4, _5);
  Image1->OnMouseMove = std::bind(&TForm1::Image1MouseMove, this, _1, _2, _3, _4);
  Image1->OnDblClick = std::bind(&TForm1::Image1DblClick, this, _1);
  for (ui::TLabel* label : {Label1, Label2, Label3, Label4, Label5, Label6}) {
    label->OnMouseDown = std::bind(&TForm1::LabelMouseDown, this, _1, _2, _3, _4, _5);
    label->OnMouseMove = std::bind(&TForm1::LabelMouseMove, this, _1, _2, _3, _4);
    label->OnMouseUp = std::bind(&TForm1::LabelMouseUp, this, _1, _2, _3, _4, _5);
  }
  CloseBut->OnClick = std::bind(&TForm1::CloseButClick, this, _1);
  CloseBut->OnMouseDown = std::bind(&TForm1::CloseButMouseDown, this, _1, _2, _3, _4, _5);
  CloseBut->OnMouseMove = std::bind(&TForm1::CloseButMouseMove, this, _1, _2, _3, _4);
  MinimBut->OnClick = std::bind(&TForm1::MinimButClick, this, _1);
  MinimBut->OnMouseDown = std::bind(&TForm1::MinimButMouseDown, this, _1, _2, _3, _4, _5);
  MinimBut->OnMouseMove = std::bind(&TForm1::MinimButMouseMove, this, _1, _2, _3, _4);
  CloseBut->OnMouseLeave = std::bind(&TForm1::CloseButMouseLeave, this, _1);
  MinimBut->OnMouseLeave = std::bind(&TForm1::MinimButMouseLeave, this, _1);
  TrayIcon1->OnClick = std::bind(&TForm1::TrayIcon1Click, this, _1);
  N6->OnClick = std::bind(&TForm1::N6Click, this, _1);
  N8->OnClick = std::bind(&TForm1::N8Click, this, _1);
  OnDpiChanged = std::bind(&TForm1::FormDpiChanged, this, _1);
}

// ---- Moving and snapping

void TForm1::Image1MouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  // The system's move follows the left button and ends when it is released; a move started by
  // another button would have the window stick to the pointer and swallow that button's
  // release (and with it the context menu), so other buttons only run the check.
  if (button == ui::TMouseButton::mbLeft) BeginMove();
  CheckPosition(994 - Width(), 662, 30, 30);
}

void TForm1::LabelMouseDown(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int x, int y) {
  if (button == ui::TMouseButton::mbLeft) labelPress_ = ui::TPoint{x, y};
}

void TForm1::LabelMouseMove(ui::TComponent*, ui::TShiftState shift, int x, int y) {
  if (!labelPress_ || !(shift & ui::ssLeft)) return;
  const int dx = x - labelPress_->x, dy = y - labelPress_->y;
  if (std::abs(dx) < kDragDistance && std::abs(dy) < kDragDistance) return;
  labelPress_.reset();
  // The press is a move now: the label is no longer pressed, so its release is no click. The
  // clock first catches up with the pointer (a quick hand may have gone far), so that the place
  // pressed stays under it while the system's move follows the rest.
  CancelMouseCapture();
  SetBounds(Left() + ui::ScaleValue(dx, Dpi()), Top() + ui::ScaleValue(dy, Dpi()), Width(), Height());
  BeginMove();
  CheckPosition(994 - Width(), 662, 30, 30);
}

void TForm1::LabelMouseUp(ui::TComponent*, ui::TMouseButton button, ui::TShiftState, int, int) {
  if (button == ui::TMouseButton::mbLeft) labelPress_.reset();
}

void TForm1::CheckPosition(int rightLimit, int bottomLimit, int leftLimit, int topLimit) {
  if (!files.Config().ReadFlag("Clock", "StickCon", true)) return;
  // Against the work area of the monitor the window stands on, in that monitor's pixels.
  const chrome::Monitors monitors = platform_.monitors().List();
  const ui::TRect window = ScreenRect();
  const platform::MonitorArea* monitor = chrome::MonitorOf(monitors, window);
  if (!monitor) return;
  ui::TPoint p = chrome::SnapToArea({Left(), Top()}, {window.Width(), window.Height()}, chrome::SnapArea(*monitor),
                                    {rightLimit, bottomLimit, leftLimit, topLimit}, Dpi());
  SetBounds(p.x, p.y, Width(), Height());
}

void TForm1::PlaceAtStart(bool useStored) {
  const chrome::Monitors monitors = platform_.monitors().List();
  config::Settings& config = files.Config();
  const bool stored = useStored && !config.ReadText("Position", "X", "").empty() &&
                      !config.ReadText("Position", "Y", "").empty();
  if (!stored) {
    const platform::MonitorArea* primary = chrome::PrimaryOf(monitors);
    const int dpi = primary ? primary->dpi : Dpi();
    const ui::TPoint p =
        chrome::DefaultPlace(monitors, {ui::ScaleValue(Width(), dpi), ui::ScaleValue(Height(), dpi)});
    SetBounds(p.x, p.y, Width(), Height());
    return;
  }
  SetLeft(StartNumber("Position", "X", 895));
  SetTop(StartNumber("Position", "Y", 687));
  const ui::TPoint p = chrome::KeepOnAMonitor(monitors, ScreenRect());
  SetBounds(p.x, p.y, Width(), Height());
}

// ---- Button pictures
//
// Each picture is read from the current skin's file at the moment it is shown, so a skin
// chosen in the settings takes effect at the next hover without anything to invalidate. A
// picture that does not load raises its error before anything changes: the button keeps its
// picture and the flags keep their values.

void TForm1::LoadButtonPicture(ui::TImage* button, const char* key, const char* fallback) {
  if (!skinIni) return;  // the start-up failed before any skin was read: nothing to show
  ui::Image picture = LoadSkinPicture(SkinPicturePath(config::TIniSnapshot(*skinIni), key, fallback));
  // Every pointer movement over a button loads its picture again; repaint only on a change.
  if (!(picture == button->Picture())) button->SetPicture(picture);
}

namespace {

struct PictureKey {
  const char* key;
  const char* fallback;
};

PictureKey KeyOf(chrome::SkinButton button, chrome::ButtonLook look) {
  const bool close = button == chrome::SkinButton::kClose;
  switch (look) {
    case chrome::ButtonLook::kHover:
      return close ? PictureKey{"CloseButton_undermouse", "close_undermouse.bmp"}
                   : PictureKey{"MinimButton_undermouse", "minim_undermouse.bmp"};
    case chrome::ButtonLook::kPressed:
      return close ? PictureKey{"CloseButton_click", "close_click.bmp"}
                   : PictureKey{"MinimButton_click", "minim_click.bmp"};
    case chrome::ButtonLook::kDefault:
      break;
  }
  return close ? PictureKey{"CloseButton_default", "close_default.bmp"}
               : PictureKey{"MinimButton_default", "minim_default.bmp"};
}

}  // namespace

void TForm1::ShowButtonLooks(const chrome::ButtonLooks& next, std::optional<chrome::SkinButton> hovered) {
  for (chrome::SkinButton b : {chrome::SkinButton::kClose, chrome::SkinButton::kMinim}) {
    // A hover picture is read again at every movement over its button.
    const bool hoverAgain = hovered == b && next.Of(b) == chrome::ButtonLook::kHover;
    if (next.Of(b) == buttonLooks_.Of(b) && !hoverAgain) continue;
    const PictureKey picture = KeyOf(b, next.Of(b));
    LoadButtonPicture(b == chrome::SkinButton::kClose ? CloseBut : MinimBut, picture.key, picture.fallback);
  }
  buttonLooks_ = next;
  buttonPressed = next.pressed;
  buttonLit = next.lit;
}

void TForm1::FormDpiChanged(ui::TComponent*) {
  if (!skinIni) return;  // no skin was read: nothing to draw again
  ui::Application().Guard([this] {
    Image1->SetPicture(LoadSkinPicture(SkinPicturePath(config::TIniSnapshot(*skinIni), "Form", "main.bmp")));
  });
  // Each button shows the picture of the look it has now, read for the new density.
  for (chrome::SkinButton b : {chrome::SkinButton::kClose, chrome::SkinButton::kMinim}) {
    const PictureKey picture = KeyOf(b, buttonLooks_.Of(b));
    ui::Application().Guard([&] {
      LoadButtonPicture(b == chrome::SkinButton::kClose ? CloseBut : MinimBut, picture.key, picture.fallback);
    });
  }
}

void TForm1::CloseButMouseMove(ui::TComponent*, ui::TShiftState, int, int) {
  ShowButtonLooks(chrome::PointerOverButton(buttonLooks_, chrome::SkinButton::kClose), chrome::SkinButton::kClose);
}

void TForm1::MinimButMouseMove(ui::TComponent*, ui::TShiftState, int, int) {
  ShowButtonLooks(chrome::PointerOverButton(buttonLooks_, chrome::SkinButton::kMinim), chrome::SkinButton::kMinim);
}

void TForm1::CloseButMouseDown(ui::TComponent*, ui::TMouseButton, ui::TShiftState, int, int) {
  ShowButtonLooks(chrome::PressOnButton(buttonLooks_, chrome::SkinButton::kClose));
}

void TForm1::MinimButMouseDown(ui::TComponent*, ui::TMouseButton, ui::TShiftState, int, int) {
  ShowButtonLooks(chrome::PressOnButton(buttonLooks_, chrome::SkinButton::kMinim));
}

void TForm1::CloseButMouseLeave(ui::TComponent*) {
  ShowButtonLooks(chrome::PointerLeftButton(buttonLooks_, chrome::SkinButton::kClose));
}

void TForm1::MinimButMouseLeave(ui::TComponent*) {
  ShowButtonLooks(chrome::PointerLeftButton(buttonLooks_, chrome::SkinButton::kMinim));
}

void TForm1::Image1MouseMove(ui::TComponent*, ui::TShiftState, int, int) {
  ShowButtonLooks(chrome::PointerOverFace(buttonLooks_));
}

// ---- Tray toggle

void TForm1::Minimize() {
  TrayIcon1->Minimize();
  try {
    TrayIcon1->SetVisible(true);
  } catch (const tray::EOutOfResources&) {
    // Without its icon nothing could bring the hidden program back: it stays on the screen,
    // and the icon counts as not shown, so the next toggle tries again. The error to show is
    // the one that stopped the toggle.
    TrayIcon1->Restore();
    try {
      TrayIcon1->SetVisible(false);
    } catch (const tray::EOutOfResources&) {
    }
    throw;
  }
}

void TForm1::Restore() {
  TrayIcon1->Restore();
  TrayIcon1->SetVisible(false);
  // The press or hover that sent the clock to the tray is long over: both buttons come back
  // in their normal pictures.
  ui::Application().Guard([this] { ShowButtonLooks(chrome::AllDefault()); });
}

void TForm1::BringBack() {
  if (TrayIcon1->Visible()) Restore();
  BringToFront();
}

void TForm1::N6Click(ui::TComponent*) {
  if (TrayIcon1->Visible()) {
    Restore();
    N6->Caption = kToTrayCaption;
    SetMenuBitmap(N6, "TOTRAY");
  } else {
    // Closed by its own close path even when hidden, so that its close handling always runs.
    if (Form2) Form2->Close();
    Minimize();
    N6->Caption = kFromTrayCaption;
    SetMenuBitmap(N6, "FROM_TRAY");
  }
}

void TForm1::MinimButClick(ui::TComponent*) { N6Click(N6); }

void TForm1::TrayIcon1Click(ui::TComponent*) { N6Click(N6); }

// ---- Closing and the double click

void TForm1::CloseButClick(ui::TComponent*) { SystemCommand(ui::SC_CLOSE_COMMAND); }

void TForm1::Image1DblClick(ui::TComponent*) { N8Click(N8); }
