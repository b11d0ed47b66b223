#include "tray/trayicon.h"

#include <algorithm>
#include <cstring>

#include "ui/forms.h"

namespace tray {

const char* const kCannotCreateIconText = "Не удалось добавить значок в область уведомлений";
const char* const kCannotRemoveIconText = "Не удалось убрать значок из области уведомлений";

namespace {

// Window messages and system commands (the system's values).
constexpr unsigned kQueryEndSession = 0x0011;
constexpr unsigned kEndSession = 0x0016;
constexpr unsigned kSysCommand = 0x0112;
constexpr unsigned kMouseMove = 0x0200;
constexpr unsigned kLeftDown = 0x0201;
constexpr unsigned kLeftUp = 0x0202;
constexpr unsigned kLeftDouble = 0x0203;
constexpr unsigned kRightDown = 0x0204;
constexpr unsigned kRightUp = 0x0205;
constexpr unsigned kRightDouble = 0x0206;
constexpr unsigned kMiddleDown = 0x0207;
constexpr unsigned kMiddleUp = 0x0208;
constexpr unsigned kMiddleDouble = 0x0209;
// From the keyboard, on shells that speak the newer icon protocol: Enter or Space on the icon,
// and the menu key or Shift+F10. Older ones send a right click for both.
constexpr unsigned kKeySelect = 0x0401;
constexpr unsigned kContextMenu = 0x007B;
constexpr std::uintptr_t kCommandMinimize = 0xF020;
constexpr std::uintptr_t kCommandRestore = 0xF120;

constexpr std::size_t kLongestHint = 63;

}  // namespace

TTrayIcon::TTrayIcon(ui::TComponent* owner, platform::NotifyArea& area) : ui::TComponent(owner), area_(area) {
  FHint.clear();
  FTimer = std::make_unique<ui::TTimer>(nullptr);
  FIconIndex = 0;
  AssignIcon({});
  FRestoreOn = TTrayIconMessage::imDoubleClick;
  OnAnimate = [this](ui::TComponent* sender) { DoOnAnimate(sender); };
  FPopupMenuOn = TTrayIconMessage::imNone;
  FVisible = false;
  FHide = true;
  FTimer->SetEnabled(false);
  FTimer->OnTimer = OnAnimate;
  FTimer->SetInterval(1000);
  if (Designing()) return;
  FData = {};
  FData.cbSize = sizeof(platform::NotifyIconData);
  // The window the icon's messages go to is made with the icon's first showing.
  FData.uID = std::uint32_t(reinterpret_cast<std::uintptr_t>(this));
  FData.hIcon = FIcon.handle;
  FData.uFlags = platform::kNotifyFlagMessage | platform::kNotifyFlagIcon | platform::kNotifyFlagTip;
  FData.uCallbackMessage = kTrayCallbackMessage;
  FHookProc = [this](ui::TMessage& m) { return ApplicationHookProc(m); };
  Update();
}

TTrayIcon::~TTrayIcon() {
  // No hook may outlive the component it calls.
  if (ui::HasApplication()) ui::Application().UnhookMainWindow(this);
  if (!Designing()) {
    area_.Notify(platform::kNotifyDelete, FData);
    shown_ = false;
    window_.reset();
  }
  FTimer.reset();
  area_.FreeIcon(FIcon.handle);
}

void TTrayIcon::Loaded() {
  ui::TComponent::Loaded();
  if (FIcons) {
    FTimer->SetEnabled(FAnimate);
    const ui::Image* picture = FIcons->Get(FIconIndex);
    // An empty list or an index past its end: the program's icon, never a blank one.
    AssignIcon(picture ? *picture : ui::Image{});
  } else {
    FAnimate = false;
    AssignIcon({});
  }
  Update();
}

void TTrayIcon::SetVisible(bool on) {
  FVisible = on;
  if (Designing()) return;
  if (on) {
    MakeWindow();
    // An icon the area holds already is refreshed; adding it a second time would be refused.
    bool ok = shown_ && area_.Notify(platform::kNotifyModify, FData);
    if (!ok) ok = area_.Notify(platform::kNotifyAdd, FData);
    if (!ok) throw EOutOfResources(kCannotCreateIconText);
    shown_ = true;
    FHide = true;
    if (ui::HasApplication()) ui::Application().HookMainWindow(this, FHookProc);
  } else {
    // Removing an icon that is not there (never added, or gone with the session's end) is
    // not a failure: what the caller wants is already the case.
    bool ok = area_.Notify(platform::kNotifyDelete, FData);
    if (!ok && shown_) throw EOutOfResources(kCannotRemoveIconText);
    shown_ = false;
    FHide = false;
    if (ui::HasApplication()) ui::Application().UnhookMainWindow(this);
  }
}

void TTrayIcon::SetHint(const std::string& text) {
  // Written every second by the clock: an unchanged text costs one comparison.
  if (text == FHint || text.size() > kLongestHint) return;
  FHint = text;
  std::memset(FData.szTip, 0, sizeof FData.szTip);
  std::memcpy(FData.szTip, text.data(), std::min(text.size(), sizeof FData.szTip - 1));
  if (text.empty()) {
    FData.uFlags &= ~platform::kNotifyFlagTip;
  } else {
    FData.uFlags |= platform::kNotifyFlagTip;
  }
  Update();
}

void TTrayIcon::SetPopupMenu(ui::TPopupMenu* menu) {
  if (menu == FPopupMenu) return;
  if (FPopupMenu) RemoveFreeNotification(FPopupMenu);
  FPopupMenu = menu;
  if (menu) FreeNotification(menu);
}

void TTrayIcon::SetIcons(ui::TImageList* icons) {
  if (icons == FIcons) return;
  if (FIcons) RemoveFreeNotification(FIcons);
  FIcons = icons;
  if (icons) {
    FreeNotification(icons);
  } else {
    StopAnimation();
  }
}

int TTrayIcon::AnimateInterval() const { return FTimer->Interval(); }

void TTrayIcon::SetAnimateInterval(int ms) { FTimer->SetInterval(ms); }

void TTrayIcon::SetAnimate(bool on) {
  if (!FIcons) return;
  FAnimate = on;
  if (!Designing()) FTimer->SetEnabled(on);
}

void TTrayIcon::StopAnimation() {
  FAnimate = false;
  FTimer->SetEnabled(false);
}

void TTrayIcon::Update() {
  if (Designing()) return;
  FData.hIcon = FIcon.handle;
  // While the icon is not shown, picture and hint wait in the record for the next add.
  if (FVisible && shown_) area_.Notify(platform::kNotifyModify, FData);
}

bool TTrayIcon::ShowBalloon(const std::string& title, const std::string& text, unsigned timeoutMs) {
  if (Designing() || !FVisible || !shown_) return false;
  // The balloon goes in a record of its own: later updates of picture and hint must not
  // show it again.
  platform::NotifyIconData balloon = FData;
  balloon.uFlags = platform::kNotifyFlagInfo;
  std::memset(balloon.szInfo, 0, sizeof balloon.szInfo);
  std::memcpy(balloon.szInfo, text.data(), std::min(text.size(), sizeof balloon.szInfo - 1));
  std::memset(balloon.szInfoTitle, 0, sizeof balloon.szInfoTitle);
  std::memcpy(balloon.szInfoTitle, title.data(), std::min(title.size(), sizeof balloon.szInfoTitle - 1));
  balloon.uTimeout = timeoutMs;
  balloon.dwInfoFlags = platform::kNotifyInfoIcon;
  return area_.Notify(platform::kNotifyModify, balloon);
}

void TTrayIcon::SetIconIndex(int index) {
  FIconIndex = index;
  if (FIcons)
    if (const ui::Image* picture = FIcons->Get(index)) AssignIcon(*picture);
  Update();
}

void TTrayIcon::SetDefaultIcon() {
  AssignIcon({});
  Update();
}

void TTrayIcon::AssignIcon(const ui::Image& picture) {
  if (FIcon.handle && picture == FIcon.picture) return;
  std::uint32_t made = area_.MakeIcon(picture);
  if (!made && FIcon.handle) return;  // no icon could be made: keep the one shown
  area_.FreeIcon(FIcon.handle);
  FIcon.picture = picture;
  FIcon.handle = made;
}

void TTrayIcon::DoOnAnimate(ui::TComponent*) {
  if (!FIcons) return;  // the image list went while the timer ran
  int last = FIcons->Count() - 1;
  SetIconIndex(FIconIndex >= last ? 0 : FIconIndex + 1);
}

ui::TPoint TTrayIcon::CursorPos() const {
  return ui::HasApplication() ? ui::Application().Widgets().CursorPos() : ui::TPoint{};
}

ui::TShiftState TTrayIcon::ShiftState() const {
  if (!ui::HasApplication()) return 0;
  return ui::Application().Widgets().ShiftKeys() & (ui::ssShift | ui::ssCtrl | ui::ssAlt);
}

void TTrayIcon::DoMessage(ui::TMessage& message) {
  message.Result = 0;
  if (taskbarCreated_ != 0 && message.Msg == taskbarCreated_) {
    shown_ = false;  // the new task bar holds no icons
    AddAgain();
    return;
  }
  switch (message.Msg) {
    case kQueryEndSession:
      message.Result = 1;  // never hold up a log-off or shutdown
      return;
    case kEndSession:
      // WParam is zero when the log-off or shutdown was cancelled: the program goes on, so
      // its icon stays (or comes back).
      if (message.WParam) {
        EndSession();
      } else {
        AddAgain();
      }
      return;
    case kTrayCallbackMessage:
      break;
    default:
      return;
  }
  // The pointer as it is now: the message carries no position.
  const ui::TPoint p = CursorPos();
  const ui::TShiftState shift = ShiftState();
  using enum TTrayIconMessage;
  switch (unsigned(message.LParam)) {
    case kMouseMove:
      DoMouseMove(shift, p.x, p.y);
      break;
    case kLeftDown:
      DoMouseDown(ui::TMouseButton::mbLeft, shift | ui::ssLeft, p.x, p.y);
      break;
    case kLeftUp:
      DoClick();
      DoMouseUp(ui::TMouseButton::mbLeft, shift | ui::ssLeft, p.x, p.y);
      if (FRestoreOn == imLeftClickUp) Restore();
      if (FPopupMenuOn == imLeftClickUp) ShowMenu();
      break;
    case kLeftDouble:
      DoDblClick();
      if (FRestoreOn == imLeftDoubleClick) Restore();
      if (FPopupMenuOn == imLeftDoubleClick) ShowMenu();
      break;
    case kRightDown:
      DoMouseDown(ui::TMouseButton::mbRight, shift | ui::ssRight, p.x, p.y);
      break;
    case kRightUp:
      DoMouseUp(ui::TMouseButton::mbRight, shift | ui::ssRight, p.x, p.y);
      if (FRestoreOn == imRightClickUp) Restore();
      if (FPopupMenuOn == imRightClickUp) ShowMenu();
      break;
    case kRightDouble:
      DoDblClick();
      if (FRestoreOn == imRightDoubleClick) Restore();
      if (FPopupMenuOn == imRightDoubleClick) ShowMenu();
      break;
    case kMiddleDown:
      DoMouseDown(ui::TMouseButton::mbMiddle, shift | ui::ssMiddle, p.x, p.y);
      break;
    case kMiddleUp:
      DoMouseUp(ui::TMouseButton::mbMiddle, shift | ui::ssMiddle, p.x, p.y);
      break;
    case kMiddleDouble:
      DoDblClick();
      break;
    case kKeySelect:
      Restore();
      break;
    case kContextMenu:
      ShowMenu();
      break;
    default:
      break;
  }
}

void TTrayIcon::DoClick() {
  if (FRestoreOn == TTrayIconMessage::imClick) Restore();
  if (FPopupMenuOn == TTrayIconMessage::imClick) ShowMenu();
  if (OnClick) OnClick(this);
}

void TTrayIcon::DoDblClick() {
  if (FRestoreOn == TTrayIconMessage::imDoubleClick) Restore();
  if (FPopupMenuOn == TTrayIconMessage::imDoubleClick) ShowMenu();
  if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::DoMouseMove(ui::TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TTrayIcon::DoMouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
  if (FRestoreOn == TTrayIconMessage::imMouseDown) Restore();
  if (FPopupMenuOn == TTrayIconMessage::imMouseDown) ShowMenu();
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::DoMouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
  if (FRestoreOn == TTrayIconMessage::imMouseUp) Restore();
  if (FPopupMenuOn == TTrayIconMessage::imMouseUp) ShowMenu();
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TTrayIcon::ShowMenu() {
  // Without a menu there is nothing to open. The menu's backend makes the program the
  // foreground application first, so that the menu closes when the user clicks elsewhere.
  if (!FPopupMenu) return;
  const ui::TPoint p = CursorPos();
  FPopupMenu->Popup(p.x, p.y);
}

void TTrayIcon::Minimize() {
  if (ui::HasApplication()) ui::Application().Minimize();
  if (OnMinimize) OnMinimize(this);
}

void TTrayIcon::Restore() {
  if (ui::HasApplication()) {
    ui::TApplication& app = ui::Application();
    app.Restore();
    if (ui::TForm* main = app.MainForm(); main && main->Visible()) main->BringToFront();
  }
  if (OnRestore) OnRestore(this);
}

bool TTrayIcon::ApplicationHookProc(ui::TMessage& message) {
  if (message.Msg == kSysCommand) {
    if (message.WParam == kCommandMinimize) Minimize();
    if (message.WParam == kCommandRestore) Restore();
  }
  return false;
}

void TTrayIcon::MakeWindow() {
  if (window_ || !ui::HasApplication()) return;
  ui::WidgetSet& widgets = ui::Application().Widgets();
  window_ = widgets.CreateMessageWindow([this](ui::TMessage& m) { DoMessage(m); });
  // Sent to every top-level window when the task bar starts again (after a crash of the
  // shell): its icons are gone and have to be added anew.
  taskbarCreated_ = widgets.RegisterMessage("TaskbarCreated");
  FData.hWnd = window_ ? window_->Handle() : 0;
}

void TTrayIcon::EndSession() {
  area_.Notify(platform::kNotifyDelete, FData);
  shown_ = false;
}

void TTrayIcon::AddAgain() {
  if (!FVisible || shown_ || Designing()) return;
  // An area that still holds the icon refuses to add it again; then the icon is there.
  shown_ = area_.Notify(platform::kNotifyAdd, FData) || area_.Notify(platform::kNotifyModify, FData);
}

void TTrayIcon::Notification(ui::TComponent* component, ui::TOperation operation) {
  ui::TComponent::Notification(component, operation);
  if (operation != ui::TOperation::opRemove) return;
  if (component == FIcons) {
    FIcons = nullptr;
    StopAnimation();  // the ticks would have no pictures to take
  } else if (component == FPopupMenu) {
    FPopupMenu = nullptr;
  }
}

}  // namespace tray
