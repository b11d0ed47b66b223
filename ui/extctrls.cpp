#include "ui/extctrls.h"

#include "ui/application.h"

namespace ui {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  if (HasApplication()) peer_ = Application().Widgets().CreateTimerPeer(*this);
  Update();
}

TTimer::~TTimer() {
  if (peer_) peer_->Stop();
}

void TTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Update();
}

void TTimer::Restart(int ms) {
  interval_ = ms;
  enabled_ = true;
  Update();  // starting a running timer again starts its count again
}

void TTimer::Update() {
  if (!peer_) return;
  if (enabled_ && interval_ > 0) {
    peer_->Start(interval_);
  } else {
    peer_->Stop();
  }
}

void TTimer::Fire() {
  if (enabled_ && OnTimer) OnTimer(this);
}

const Image* TImageList::Get(int index) const {
  if (index < 0 || index >= int(images_.size())) return nullptr;
  return &images_[std::size_t(index)];
}

}  // namespace ui
