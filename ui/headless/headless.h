// The headless backend: no native windows; timers run on a test-driven millisecond clock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/widgetset.h"

namespace ui {

class HeadlessWidgetSet : public WidgetSet {
 public:
  // `now` and `setNow` read and move the millisecond clock that timers run on.
  HeadlessWidgetSet(std::function<std::uint64_t()> now, std::function<void(std::uint64_t)> setNow);
  ~HeadlessWidgetSet() override;

  std::unique_ptr<TimerPeer> CreateTimerPeer(TTimer& timer) override;
  TSize MeasureText(const std::string& text, const TFont& font) override;
  TSize ScreenSize() override { return screen; }
  TPoint CursorPos() override { return cursor; }
  // The work areas of the monitors, with their densities; none: the screen at 96 dpi.
  struct Monitor {
    TRect work;
    int dpi = 96;
  };
  std::vector<Monitor> monitors;
  TRect WorkAreaAt(TPoint p) override { return MonitorAt(p).work; }
  int MonitorDpiAt(TPoint p) override { return MonitorAt(p).dpi; }
  void SetTitle(const std::string& t) override { title = t; }
  void HideTaskbarButton() override { taskbarHidden = true; }
  void SetHintTiming(int pause, int shortPause, int hidePause) override {
    hintPause = pause;
    hintShortPause = shortPause;
    hintHidePause = hidePause;
  }
  std::unique_ptr<MessageWindow> CreateMessageWindow(MessageHandler handler) override;
  unsigned RegisterMessage(const std::string& name) override;
  TShiftState ShiftKeys() override { return shiftKeys; }
  bool DefersHiddenForms() const override { return defersHiddenForms; }
  void Run() override;
  void Terminate() override { terminated = true; }

  // Message windows: a message sent to one window (its result), or to every one of them as the
  // system sends messages to all top-level windows. Sending to a window that is gone gives 0.
  std::intptr_t Send(std::uint32_t window, unsigned msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  void SendToAll(unsigned msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  int MessageWindowCount() const { return int(messageWindows_.size()); }

  // Moves the clock forward by `ms`, firing every timer that falls due on the way, in order.
  void Advance(std::uint64_t ms);
  // Runs only the timers already due.
  void RunDueTimers();
  int ActiveTimerCount() const;
  Monitor MonitorAt(TPoint p) const {
    for (const Monitor& m : monitors)
      if (m.work.Contains(p)) return m;
    return monitors.empty() ? Monitor{{0, 0, screen.cx, screen.cy}, 96} : monitors.front();
  }

  TSize screen{1024, 768};
  TPoint cursor{0, 0};
  TShiftState shiftKeys = 0;
  std::string title;
  bool taskbarHidden = false;
  int hintPause = 0, hintShortPause = 0, hintHidePause = 0;
  bool terminated = false;
  // Off by default: every form gets its peer when it is made, as most tests expect.
  bool defersHiddenForms = false;

 private:
  friend class HeadlessTimerPeer;
  struct Entry {
    TTimer* timer;
    int interval;
    std::uint64_t due;
    std::uint64_t order;
  };
  Entry* FindDue(std::uint64_t limit);
  std::function<std::uint64_t()> now_;
  std::function<void(std::uint64_t)> setNow_;
  std::vector<Entry> timers_;
  std::uint64_t nextOrder_ = 0;
  friend class HeadlessMessageWindow;
  std::map<std::uint32_t, MessageHandler> messageWindows_;
  std::uint32_t nextWindow_ = 0x10000;
  std::map<std::string, unsigned> registered_;
};

}  // namespace ui
