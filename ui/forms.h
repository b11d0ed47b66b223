// TForm: a top-level window. Left and Top are screen coordinates in the screen's pixels; Width,
// Height and everything inside are designed pixels (96 dpi), drawn scaled to the density of the
// monitor the window stands on (Dpi). For a borderless form the client area is the whole window.
#pragma once

#include <functional>
#include <vector>

#include "ui/controls.h"

namespace ui {

class TButton;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum class TFormStyle { fsNormal, fsStayOnTop };
// poScreenCenter and poDesktopCenter centre the form, when it is first shown, in the work area
// of the monitor that holds the main form (of the pointer while the main form is hidden).
enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter, poDesktopCenter };

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle s);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle s);
  TPosition Position = TPosition::poDesigned;
  // Without it a framed window has no system menu and no buttons in its title bar; read when
  // the native window is made.
  bool SystemMenu = true;
  // A window without a frame appears without taking the keyboard from the program in use; with
  // FocusOnShow it takes it as a message box does, unless that program fills its screen.
  bool FocusOnShow = false;

  // The client area is the window less its frame (set the border style first).
  int ClientWidth() const { return ClientSize().cx; }
  int ClientHeight() const { return ClientSize().cy; }
  void SetClientWidth(int w) { SetWidth(w + FrameSize().cx); }
  void SetClientHeight(int h) { SetHeight(h + FrameSize().cy); }
  TSize ClientSize() const override;

  bool TransparentColor() const { return transparentColor_; }
  TColor TransparentColorValue() const { return transparentColorValue_; }
  void SetTransparentColor(bool on);
  void SetTransparentColorValue(TColor c);
  bool AlphaBlend() const { return alphaBlend_; }
  int AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlend(bool on);
  void SetAlphaBlendValue(int value);

  int Dpi() const override { return dpi_; }
  // Where the window is on the screen, in the screen's pixels: its designed size scaled.
  TRect ScreenRect() const;
  // The window now stands on a monitor of another density (the peer tells): it takes the place
  // the system suggests (screen pixels), its native controls are laid out and their fonts made
  // again for that density, and OnDpiChanged runs.
  void ChangeDpi(int dpi, TRect suggested);
  // The density the native window is made for, before it exists (no event, nothing pushed).
  void SetInitialDpi(int dpi) { dpi_ = dpi > 0 ? dpi : 96; }
  TNotifyEvent OnDpiChanged;

  FormPeer* FormPeerPtr() const { return static_cast<FormPeer*>(peer_.get()); }
  // Makes the form's peer, and those of all its controls, unless they exist. A widget set that
  // defers hidden forms leaves them unmade until the form is first shown or brought forward.
  void HandleNeeded();

  // Closing: runs OnClose; the main form's close ends the application, any other form hides
  // (unless the handler chose caNone).
  void Close();
  // Brings the window to the front and, when it is on screen, gives it the foreground.
  void BringToFront();
  // The system command as the window manager would get it: SC_CLOSE runs Close.
  void SystemCommand(unsigned command);
  // Starts moving the window with the pointer (the caption-drag system command).
  void BeginMove();

  // ---- Keyboard
  // The control that has the window's focus, or null when the window itself has it.
  TWinControl* ActiveControl() const;
  // Moves the focus to `control` (null: to the window itself).
  void SetActiveControl(TWinControl* control);
  // The controls Tab visits, in order: in each container its controls from top to bottom,
  // and from left to right within a row, each followed by the controls inside it; of a group
  // of radio buttons only the checked one (or the first).
  std::vector<TWinControl*> TabOrder() const;
  // Moves the focus to the next control in tab order (the previous one backwards), round.
  void SelectNext(bool forward);
  // The default and cancel buttons the user can reach now, or null.
  TButton* DefaultButton() const;
  TButton* CancelButton() const;
  // OnKeyDown sees a key first when the window itself has the focus, or always with KeyPreview.
  bool KeyPreview = false;
  TKeyEvent OnKeyDown;
  // A key pressed in the window (the backend calls it): OnKeyDown, then the window's keys: Tab
  // and Shift+Tab move the focus, Ctrl+Tab and Ctrl+Shift+Tab change the page of the page
  // control that holds it, Enter presses the focused or the default button, Esc the cancel
  // button (without one it closes the window), the arrows move within a radio group. True
  // when the key was used; the backend then does nothing more with it.
  bool KeyDown(unsigned key, TShiftState shift);
  // The backend: the focus went to `control` (null: to the window itself).
  void FocusMoved(TWinControl* control);
  // The backend: the window got the focus; it goes on to the control that last had it, or the
  // first in tab order.
  void FocusEntered();
  // The face's name changed in a way worth saying aloud; screen readers are told.
  void AnnounceAccessibleName();

  // Whether the system's high-contrast mode is on, as last told (SystemColorsChanged).
  bool HighContrast() const { return highContrast_; }
  // In high contrast the window is drawn in the system's colours, unless it keeps its own
  // (the clock face keeps the skin the user chose).
  bool KeepsOwnColors = false;
  bool InSystemColors() const { return highContrast_ && !KeepsOwnColors; }
  // The backend: the system's colours or its high-contrast mode changed.
  void SystemColorsChanged(bool highContrast);
  TNotifyEvent OnSystemColorsChanged;

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  // The window lost the foreground to another window.
  TNotifyEvent OnDeactivate;
  // Called by the peer: another window took the foreground.
  void Deactivated() {
    if (OnDeactivate) OnDeactivate(this);
  }

  // Runs OnCreate; TApplication::CreateForm calls it once the form is constructed.
  void DoCreate();
  // Runs OnDestroy once; the application calls it before it destroys the form.
  void DoDestroy();
  // Called by the peer when the user or the system asks the window to close.
  void CloseRequested() { Close(); }
  // Called by the peer when the window manager moved the window.
  void MovedTo(int left, int top);

 protected:
  void VisibleChanged() override;

 private:
  // How much larger the window is than its client area, as the widget set draws the border.
  TSize FrameSize() const;
  void ReplayGeometry(TWinControl& control);
  int dpi_ = 96;
  bool positioned_ = false;  // the first showing has placed the form as Position asks
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  bool transparentColor_ = false;
  TColor transparentColorValue_ = clBlack;
  bool alphaBlend_ = false;
  int alphaBlendValue_ = 255;
  bool destroyRaised_ = false;
  bool DialogKey(unsigned key, TShiftState shift);
  bool Contains(const TWinControl* control) const;
  TWinControl* activeControl_ = nullptr;  // checked against the tree before use
  bool highContrast_ = false;
};

}  // namespace ui
