// Common controls: TPageControl with its TTabSheet pages, and TTrackBar (a slider).
#pragma once

#include <vector>

#include "ui/controls.h"

namespace ui {

class TImageList;
class TPageControl;

enum class TTabPosition { tpTop, tpBottom };
// Tabs drawn as tabs, or as push buttons (raised, or flat until chosen).
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// A page of a page control. Its caption and ImageIndex make its tab; it is shown only while it
// is the active page. Parenting it to a page control adds it as the last page.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* pageControl);
  void SetParent(TWinControl* parent) override;
  // The page's place in its page control, -1 without one.
  int PageIndex() const;
  // The tab's picture in the page control's image list; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

 protected:
  void CaptionChanged() override;
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  int imageIndex_ = -1;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return int(pages_.size()); }
  // The page at `index`, or null when out of range.
  TTabSheet* Pages(int index) const;
  // The shown page's index, -1 for none. Setting it (as the program does) raises no OnChange;
  // an index out of range shows no page.
  int ActivePageIndex() const { return active_; }
  void SetActivePageIndex(int index);
  TTabSheet* ActivePage() const { return Pages(active_); }
  void SetActivePage(TTabSheet* page);

  // Where the tabs' pictures come from (not owned; forgotten when it goes).
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Tabs that do not fit one row wrap to more rows; read when the native control is made.
  bool MultiLine = false;
  // How the tabs are drawn; read when the native control is made.
  TTabStyle Style = TTabStyle::tsTabs;
  // Whether every tab keeps its place when another is chosen. Tabs drawn as tabs in several
  // rows do not: the system moves the chosen tab's row next to the page, so the tab that was
  // under the pointer is another one after the click. Buttons keep their rows.
  bool TabsKeepTheirPlaces() const { return !MultiLine || Style != TTabStyle::tsTabs; }
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition position);
  // Sends the tabs to the native control again, for instance after pictures were added to
  // the image list.
  void UpdateTabs();
  // The tabs as they are shown: each page's caption and picture.
  std::vector<PageTab> Tabs() const;

  // Raised when the user changed the page.
  TNotifyEvent OnChange;
  // Input entry point: the user chose the tab at `index`. Nothing happens while the control
  // (or a parent) is disabled or when the page is shown already.
  void TabClicked(int index);

  // The pages fill the area beside the tabs.
  TRect AlignRect() const override;

 protected:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void Notification(TComponent* component, TOperation operation) override;
  void FontChanged() override;
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  PageControlPeer* P() const { return static_cast<PageControlPeer*>(Peer()); }
  void ShowActive();
  std::vector<TTabSheet*> pages_;
  int active_ = -1;
  TImageList* images_ = nullptr;
  TTabPosition tabPosition_ = TTabPosition::tpTop;
};

// A slider over the range Min..Max with tick marks every Frequency positions.
class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* owner);

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetMin(int min);
  void SetMax(int max);
  // A maximum below the minimum is raised to it; the position is kept inside the range.
  void SetRange(int min, int max);
  int Frequency() const { return frequency_; }
  void SetFrequency(int frequency);
  int Position() const { return position_; }
  // Moves the thumb (kept inside the range); raises OnChange when the position changes.
  void SetPosition(int position);

  TNotifyEvent OnChange;
  // Input entry point: the user moved the thumb to `position`.
  void UserMoved(int position);

 protected:
  std::unique_ptr<WinControlPeer> CreatePeer(WidgetSet& widgets) override;

 private:
  TrackBarPeer* P() const { return static_cast<TrackBarPeer*>(Peer()); }
  int min_ = 0;
  int max_ = 10;
  int frequency_ = 1;
  int position_ = 0;
};

}  // namespace ui
