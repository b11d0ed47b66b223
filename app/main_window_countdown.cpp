// A restart or power-off on its way: the time left in the date's place, and putting it off.
#include <algorithm>

#include "app/main_window.h"
#include "clock/separators.h"
#include "clock/time_format.h"
#include "events/one_time_events.h"
#include "events/power_countdown.h"
#include "ui/application.h"

std::string TForm1::DateOrCountdown(const platform::DateTime& now) {
  std::string text = events::CountdownText(actions.Countdown(), now, utcOffset_);
  // Over or aborted by someone else: the program cannot tell which, the date comes back.
  if (text.empty()) actions.EndCountdown();
  const bool offered = N18->Parent() != nullptr;
  if (!text.empty() && !offered) {
    ui::TMenuItem* root = PopupMenu2->Items();
    const auto& items = root->Items();
    root->Insert(int(std::find(items.begin(), items.end(), N11) - items.begin()) + 1, N18);
  }
  if (text.empty() && offered) N18->Parent()->Remove(N18);
  return text.empty() ? clockface::FormatPicture(platform_.clock().ShortDateFormat(), now) : text;
}

int TForm1::DateFontSize(const std::string& text) {
  // Sizes below this are no longer readable on the face.
  constexpr int kSmallestCountdownSize = 6;
  if (!actions.Countdown() || !ui::HasApplication()) return skinDateSize;
  ui::TFont font = Label1->Font();
  const auto widthAt = [&](int size) {
    font.size = size;
    return ui::Application().Widgets().MeasureText(text, font).cx;
  };
  const int room = clockface::RoomToTheRight(Label1->BoundsRect(), {CloseBut->BoundsRect(), MinimBut->BoundsRect()},
                                             Width());
  return clockface::SizeThatFits(skinDateSize, kSmallestCountdownSize, room, widthAt);
}

void TForm1::N18Click(ui::TComponent*) {
  platform::Clock& clock = platform_.clock();
  events::PostponeCountdown(actions, store, scheduler, clock, clock.NowZoned(), clock.LongTimeFormat(),
                            clock.ShortDateFormat());
  RefreshDate();
}
