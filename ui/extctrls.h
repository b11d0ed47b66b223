// Non-visual components: TTimer and TImageList.
#pragma once

#include <memory>
#include <vector>

#include "ui/component.h"
#include "ui/types.h"
#include "ui/widgetset.h"

namespace ui {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  int Interval() const { return interval_; }
  // Changing the interval of an enabled timer restarts its count.
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  // Runs the timer at `ms` with its count starting from now, in one request to the system.
  void Restart(int ms);

  TNotifyEvent OnTimer;
  // Called by the backend when the interval has passed.
  void Fire();

 private:
  void Update();
  int interval_ = 1000;
  bool enabled_ = true;
  std::unique_ptr<TimerPeer> peer_;
};

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner) : TComponent(owner) {}
  int Width = 16;
  int Height = 16;
  int Count() const { return int(images_.size()); }
  void Add(const Image& image) { images_.push_back(image); }
  void Clear() { images_.clear(); }
  // The image at `index`, or null when out of range.
  const Image* Get(int index) const;

 private:
  std::vector<Image> images_;
};

}  // namespace ui
