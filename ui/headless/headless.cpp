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

}  // namespace ui
