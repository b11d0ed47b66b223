#include "ui/headless/headless.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/extctrls.h"

namespace ui {

class HeadlessTimerPeer : public TimerPeer {
 public:
  HeadlessTimerPeer(HeadlessWidgetSet& ws, TTimer& timer) : ws_(ws), timer_(timer) {}
  ~HeadlessTimerPeer() override { Stop(); }
  void Start(int intervalMs) override {
    Stop();
    ws_.timers_.push_back({&timer_, intervalMs, ws_.now_() + std::uint64_t(intervalMs), ws_.nextOrder_++});
  }
  void Stop() override {
    std::erase_if(ws_.timers_, [this](const HeadlessWidgetSet::Entry& e) { return e.timer == &timer_; });
  }

 private:
  HeadlessWidgetSet& ws_;
  TTimer& timer_;
};

HeadlessWidgetSet::HeadlessWidgetSet(std::function<std::uint64_t()> now, std::function<void(std::uint64_t)> setNow)
    : now_(std::move(now)), setNow_(std::move(setNow)) {}

HeadlessWidgetSet::~HeadlessWidgetSet() = default;

std::unique_ptr<TimerPeer> HeadlessWidgetSet::CreateTimerPeer(TTimer& timer) {
  return std::make_unique<HeadlessTimerPeer>(*this, timer);
}

TSize HeadlessWidgetSet::MeasureText(const std::string& text, const TFont& font) {
  // A fixed-pitch estimate: wide enough to be plausible, exact enough to be predictable in tests.
  int pixelHeight = font.size * 96 / 72;
  return {int(text.size()) * (pixelHeight * 6 / 10), pixelHeight + pixelHeight / 4};
}

void HeadlessWidgetSet::Run() {
  // Nothing waits for input here: a headless program is driven by its tests.
}

HeadlessWidgetSet::Entry* HeadlessWidgetSet::FindDue(std::uint64_t limit) {
  Entry* best = nullptr;
  for (auto& e : timers_)
    if (e.due <= limit && (!best || e.due < best->due || (e.due == best->due && e.order < best->order))) best = &e;
  return best;
}

void HeadlessWidgetSet::Advance(std::uint64_t ms) {
  const std::uint64_t target = now_() + ms;
  while (Entry* e = FindDue(target)) {
    if (e->due > now_()) setNow_(e->due);
    e->due = now_() + std::uint64_t(std::max(e->interval, 1));
    e->order = nextOrder_++;
    TTimer* timer = e->timer;  // the handler may restart or stop timers, which moves the entries
    // As in the Windows backend, an error a timer handler raises is shown and the timers go on.
    if (HasApplication()) {
      Application().Guard([timer] { timer->Fire(); });
    } else {
      timer->Fire();
    }
  }
  if (now_() < target) setNow_(target);
}

void HeadlessWidgetSet::RunDueTimers() { Advance(0); }

int HeadlessWidgetSet::ActiveTimerCount() const { return int(timers_.size()); }

class HeadlessMessageWindow : public MessageWindow {
 public:
  HeadlessMessageWindow(HeadlessWidgetSet& ws, std::uint32_t handle) : ws_(ws), handle_(handle) {}
  ~HeadlessMessageWindow() override { ws_.messageWindows_.erase(handle_); }
  std::uint32_t Handle() const override { return handle_; }

 private:
  HeadlessWidgetSet& ws_;
  std::uint32_t handle_;
};

std::unique_ptr<MessageWindow> HeadlessWidgetSet::CreateMessageWindow(MessageHandler handler) {
  std::uint32_t handle = nextWindow_;
  nextWindow_ += 4;
  messageWindows_[handle] = std::move(handler);
  return std::make_unique<HeadlessMessageWindow>(*this, handle);
}

unsigned HeadlessWidgetSet::RegisterMessage(const std::string& name) {
  // The system's registered messages lie in 0xC000 to 0xFFFF; one name always gives one number.
  return registered_.emplace(name, 0xC000 + unsigned(registered_.size())).first->second;
}

std::intptr_t HeadlessWidgetSet::Send(std::uint32_t window, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
  auto it = messageWindows_.find(window);
  if (it == messageWindows_.end()) return 0;
  MessageHandler handler = it->second;  // the handler may destroy its window
  TMessage m{msg, wParam, lParam, 0};
  handler(m);
  return m.Result;
}

void HeadlessWidgetSet::SendToAll(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
  std::vector<std::uint32_t> windows;
  for (const auto& [handle, handler] : messageWindows_) windows.push_back(handle);
  for (std::uint32_t w : windows) Send(w, msg, wParam, lParam);
}

}  // namespace ui
