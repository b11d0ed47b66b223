// TTrayIcon: the program's icon in the notification area of the task bar. It keeps the icon's
// picture and tool-tip up to date, turns mouse actions on the icon into events, opens a popup
// menu and hides or restores the whole program on configurable mouse triggers, and can cycle
// the icon through the pictures of an image list.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/platform.h"
#include "ui/application.h"
#include "ui/component.h"
#include "ui/controls.h"
#include "ui/extctrls.h"
#include "ui/menus.h"
#include "ui/widgetset.h"

namespace tray {

// Raised when the notification area refuses to add or remove the icon.
class EOutOfResources : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

extern const char* const kCannotCreateIconText;
extern const char* const kCannotRemoveIconText;

// The mouse triggers of RestoreOn and PopupMenuOn.
enum class TTrayIconMessage : std::uint8_t {
  imClick,
  imDoubleClick,
  imMouseDown,
  imMouseUp,
  imLeftClickUp,
  imLeftDoubleClick,
  imRightClickUp,
  imRightDoubleClick,
  imNone
};

// The message the notification area sends to the icon's window, its mouse message in LParam.
constexpr unsigned kTrayCallbackMessage = 0x0401;

class TTrayIcon : public ui::TComponent {
 public:
  TTrayIcon(ui::TComponent* owner, platform::NotifyArea& area);
  ~TTrayIcon() override;

  bool Visible() const { return FVisible; }
  const std::string& Hint() const { return FHint; }
  // A hint of 64 characters or more is ignored and the old one stays.
  void SetHint(const std::string& text);
  ui::TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(ui::TPopupMenu* menu);
  bool Hide() const { return FHide; }
  void SetHide(bool on) { FHide = on; }
  TTrayIconMessage RestoreOn() const { return FRestoreOn; }
  void SetRestoreOn(TTrayIconMessage trigger) { FRestoreOn = trigger; }
  TTrayIconMessage PopupMenuOn() const { return FPopupMenuOn; }
  void SetPopupMenuOn(TTrayIconMessage trigger) { FPopupMenuOn = trigger; }
  ui::TImageList* Icons() const { return FIcons; }
  void SetIcons(ui::TImageList* icons);
  int IconIndex() const { return FIconIndex; }
  int AnimateInterval() const;
  void SetAnimateInterval(int ms);
  bool Animate() const { return FAnimate; }
  // Takes effect only while Icons is set.
  void SetAnimate(bool on);
  // The hidden window that receives the notification area's messages (0 until first shown).
  std::uint32_t Handle() const { return FData.hWnd; }
  // The record passed to the notification area.
  const platform::NotifyIconData& Data() const { return FData; }

  ui::TNotifyEvent OnMinimize, OnRestore;
  ui::TNotifyEvent OnClick;
  ui::TMouseMoveEvent OnMouseEnter, OnMouseExit;  // never raised
  ui::TMouseMoveEvent OnMouseMove;
  ui::TMouseEvent OnMouseUp, OnMouseDown;
  ui::TNotifyEvent OnAnimate;  // bound to DoOnAnimate when the component is made
  ui::TNotifyEvent OnCreate, OnDestroy, OnActivate, OnDeactivate;  // never raised
  // Not among the published events, but raised by DoDblClick.
  ui::TNotifyEvent OnDblClick;

  // Picks the picture (from Icons, else the program's icon) and starts the animation if asked
  // for; the owner calls it once it has set the component's properties.
  void Loaded() override;

  // The virtual operations, in the order of their slots.
  // Shows (adds) or removes the icon; raises EOutOfResources when the area refuses.
  virtual void SetVisible(bool on);

 protected:
  virtual void DoMessage(ui::TMessage& message);
  virtual void DoClick();
  virtual void DoDblClick();
  virtual void DoMouseMove(ui::TShiftState shift, int x, int y);
  virtual void DoMouseDown(ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  virtual void DoMouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y);
  virtual void DoOnAnimate(ui::TComponent* sender);

 public:
  // Hides the whole program (no windows, no task-bar entry) / brings it back to the front;
  // the icon itself is left as it is.
  virtual void Minimize();
  virtual void Restore();
  // Sends the current picture and hint to the area while the icon is shown.
  virtual void Update();
  // Shows `text` under `title` in a balloon by the icon, with the information icon, for
  // `timeoutMs` (the system keeps it at least a few seconds). False when the icon is not
  // shown or the area refused. Texts are cut to what the record holds.
  bool ShowBalloon(const std::string& title, const std::string& text, unsigned timeoutMs = 10000);
  // Opens PopupMenu at the pointer.
  virtual void ShowMenu();
  virtual void SetIconIndex(int index);
  virtual void SetDefaultIcon();

  // The session ends: the icon goes; Visible keeps its value.
  void EndSession();

 protected:
  void Notification(ui::TComponent* component, ui::TOperation operation) override;
  // Shift, Ctrl and Alt as the keyboard has them now.
  ui::TShiftState ShiftState() const;
  // Runs Minimize or Restore for the system's minimise and restore commands to the
  // application's window; never stops the command itself.
  bool ApplicationHookProc(ui::TMessage& message);

 private:
  // A picture and the native icon made from it; an empty picture stands for the program's icon.
  struct Icon {
    ui::Image picture;
    std::uint32_t handle = 0;
  };
  void AssignIcon(const ui::Image& picture);
  void StopAnimation();
  // Adds the icon again when it should be shown but the area no longer holds it.
  void AddAgain();
  // The window the icon's messages go to: a hidden icon needs none.
  void MakeWindow();
  ui::TPoint CursorPos() const;

  platform::NotifyArea& area_;
  bool FVisible = false;
  std::string FHint;
  ui::TPopupMenu* FPopupMenu = nullptr;
  bool FHide = true;
  TTrayIconMessage FRestoreOn = TTrayIconMessage::imDoubleClick;
  TTrayIconMessage FPopupMenuOn = TTrayIconMessage::imNone;
  ui::TImageList* FIcons = nullptr;
  int FIconIndex = 0;
  bool FAnimate = false;
  platform::NotifyIconData FData{};
  Icon FIcon;
  std::unique_ptr<ui::TTimer> FTimer;
  ui::TApplication::MainWindowHook FHookProc;
  std::unique_ptr<ui::MessageWindow> window_;  // made when the icon is first shown (MakeWindow)
  unsigned taskbarCreated_ = 0;  // the registered message of a re-created task bar
  bool shown_ = false;           // the area holds the icon
};

}  // namespace tray
