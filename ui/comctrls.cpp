#include "ui/comctrls.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/extctrls.h"

namespace ui {

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  ParentColor = true;
  SetAlign(TAlign::alClient);
}

TTabSheet::~TTabSheet() { SetParent(nullptr); }

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (TPageControl* old = PageControl()) old->RemovePage(this);
  TWinControl::SetParent(parent);
  if (TPageControl* now = PageControl()) now->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  TPageControl* pc = PageControl();
  if (!pc) return -1;
  for (int i = 0; i < pc->PageCount(); ++i)
    if (pc->Pages(i) == this) return i;
  return -1;
}

void TTabSheet::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  if (TPageControl* pc = PageControl()) pc->UpdateTabs();
}

void TTabSheet::CaptionChanged() {
  if (TPageControl* pc = PageControl()) pc->UpdateTabs();
}

std::unique_ptr<WinControlPeer> TTabSheet::CreatePeer(WidgetSet& widgets) { return widgets.CreateTabSheetPeer(*this); }

// ---- TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  ParentColor = true;
  TabStop = true;
}

TPageControl::~TPageControl() {
  // The pages may outlive this part of the object: they must not call back into it.
  pages_.clear();
  active_ = -1;
}

TTabSheet* TPageControl::Pages(int index) const {
  return index >= 0 && index < PageCount() ? pages_[std::size_t(index)] : nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  // The first page is shown; a later one waits until it is chosen.
  if (active_ < 0 && pages_.size() == 1) {
    active_ = 0;
  } else {
    page->Hide();
  }
  UpdateTabs();
  if (auto* p = P()) p->SetActiveTab(active_);
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  int index = int(it - pages_.begin());
  pages_.erase(it);
  if (index < active_) {
    --active_;
  } else if (index == active_) {
    active_ = PageCount() > 0 ? std::min(index, PageCount() - 1) : -1;
    ShowActive();
  }
  UpdateTabs();
  if (auto* p = P()) p->SetActiveTab(active_);
}

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) index = -1;
  if (index == active_) return;
  active_ = index;
  ShowActive();
  if (auto* p = P()) p->SetActiveTab(active_);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  SetActivePageIndex(it == pages_.end() ? -1 : int(it - pages_.begin()));
}

void TPageControl::ShowActive() {
  // The new page appears before the old one goes, so nothing behind them shows in between.
  if (TTabSheet* shown = ActivePage()) shown->Show();
  for (TTabSheet* page : pages_)
    if (page != ActivePage()) page->Hide();
}

void TPageControl::TabClicked(int index) {
  if (EnabledInTree() && index >= 0 && index < PageCount() && index != active_) {
    active_ = index;
    ShowActive();
    if (auto* p = P()) p->SetActiveTab(active_);
    if (OnChange) OnChange(this);
    return;
  }
  // Refused: the native control may show the chosen tab already.
  if (auto* p = P()) p->SetActiveTab(active_);
}

void TPageControl::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) RemoveFreeNotification(images_);
  images_ = images;
  if (images_) FreeNotification(images_);
  UpdateTabs();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    UpdateTabs();
  }
}

void TPageControl::SetTabPosition(TTabPosition position) {
  if (position == tabPosition_) return;
  tabPosition_ = position;
  if (auto* p = P()) p->SetTabsAtBottom(position == TTabPosition::tpBottom);
  AlignControls();
}

std::vector<PageTab> TPageControl::Tabs() const {
  std::vector<PageTab> tabs;
  for (const TTabSheet* page : pages_) {
    const Image* image = images_ ? images_->Get(page->ImageIndex()) : nullptr;
    tabs.push_back({page->Caption(), image ? *image : Image{}});
  }
  return tabs;
}

void TPageControl::UpdateTabs() {
  if (auto* p = P()) {
    p->SetTabs(Tabs());
    p->SetActiveTab(active_);
  }
  AlignControls();  // a picture may make the tabs taller
}

void TPageControl::FontChanged() {
  TWinControl::FontChanged();
  AlignControls();
}

TRect TPageControl::AlignRect() const {
  if (auto* p = P()) {
    TRect r = p->DisplayRect();
    if (r.Width() > 0 && r.Height() > 0) return r;
  }
  // Without a native control: one row of tabs as tall as their text or picture, and a
  // two-pixel frame around the pages.
  int tabHeight = HasApplication() ? Application().Widgets().MeasureText("Ag", font_).cy : 13;
  for (const TTabSheet* page : pages_)
    if (const Image* image = images_ ? images_->Get(page->ImageIndex()) : nullptr)
      tabHeight = std::max(tabHeight, image->height);
  tabHeight += 6;
  constexpr int kFrame = 2;
  TSize client = ClientSize();
  TRect r{kFrame, kFrame, client.cx - kFrame, client.cy - kFrame};
  if (tabPosition_ == TTabPosition::tpTop)
    r.top += tabHeight;
  else
    r.bottom -= tabHeight;
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

std::unique_ptr<WinControlPeer> TPageControl::CreatePeer(WidgetSet& widgets) {
  return widgets.CreatePageControlPeer(*this);
}

// ---- TTrackBar

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  ParentColor = true;
  TabStop = true;
}

void TTrackBar::SetMin(int min) { SetRange(min, std::max(min, max_)); }
void TTrackBar::SetMax(int max) { SetRange(std::min(min_, max), max); }

void TTrackBar::SetRange(int min, int max) {
  max = std::max(max, min);
  if (min != min_ || max != max_) {
    min_ = min;
    max_ = max;
    if (auto* p = P()) p->SetRange(min_, max_);
  }
  SetPosition(position_);
}

void TTrackBar::SetFrequency(int frequency) {
  frequency = std::max(frequency, 1);
  if (frequency == frequency_) return;
  frequency_ = frequency;
  if (auto* p = P()) p->SetFrequency(frequency_);
}

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  if (auto* p = P()) p->SetPosition(position_);
  if (OnChange) OnChange(this);
}

void TTrackBar::UserMoved(int position) {
  int wanted = EnabledInTree() ? std::clamp(position, min_, max_) : position_;
  // Where the native control shows another place, it follows the model.
  if (wanted != position)
    if (auto* p = P()) p->SetPosition(wanted);
  if (wanted == position_) return;
  position_ = wanted;
  if (OnChange) OnChange(this);
}

std::unique_ptr<WinControlPeer> TTrackBar::CreatePeer(WidgetSet& widgets) { return widgets.CreateTrackBarPeer(*this); }

}  // namespace ui
