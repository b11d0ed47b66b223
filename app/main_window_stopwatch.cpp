// The stopwatch in the time labels and the system uptime in the date label, switched by
// clicking the labels; the stopwatch menu, on the right button over any part of the time,
// starts, stops and resets it.
#include "app/main_window.h"
#include "clock/stopwatch.h"

using namespace std::placeholders;

namespace {
const char* const kTimeHint = "Это текущее время";
const char* const kStopwatchHint = "Это таймер";
const char* const kDateHint = "Это сегодняшнее число";
const char* const kUptimeHint = "Это время работы Windows";
}  // namespace

void TForm1::BuildStopwatchDesign() {
  Label1->OnClick = std::bind(&TForm1::Label1Click, this, _1);
  for (ui::TLabel* label : {Label2, Label3, Label4, Label5, Label6})
    label->OnClick = std::bind(&TForm1::Label2Click, this, _1);
  N1->OnClick = std::bind(&TForm1::N1Click, this, _1);
  N2->OnClick = std::bind(&TForm1::N2Click, this, _1);
  N3->OnClick = std::bind(&TForm1::N3Click, this, _1);
  N1->Bitmap = clockface::StopwatchGlyphImage(clockface::StopwatchGlyph::kStart);
  N2->Bitmap = clockface::StopwatchGlyphImage(clockface::StopwatchGlyph::kStop);
  N3->Bitmap = clockface::StopwatchGlyphImage(clockface::StopwatchGlyph::kReset);
}

void TForm1::Label2Click(ui::TComponent*) {
  if (clockMode == 1) {
    if (stopwatchMode == 1) return;
    clockMode = 0;
    stopwatchMode = 1;
    TimerRefresh();
    N3Click(N3);
    ShowTimeLabelsMode();
    Timer1->SetInterval(10);
  } else {
    clockMode = 1;
    stopwatchMode = 0;
    ShowTimeLabelsMode();
    Timer1->SetInterval(1000);
    // The time is shown last: a chime's sound file that fails here must not leave the window
    // half switched, with the stopwatch's hint, menu and 10 ms tick.
    RefreshTime();
    PadTimeLabels();
  }
}

void TForm1::ShowTimeLabelsMode() {
  // Every part of the time answers alike: the separators and each pair of digits.
  const bool stopwatchShown = stopwatchMode == 1;
  for (ui::TLabel* label : {Label2, Label3, Label4, Label5, Label6}) {
    label->SetHint(stopwatchShown ? kStopwatchHint : kTimeHint);
    label->SetPopupMenu(stopwatchShown ? PopupMenu1 : PopupMenu2);
  }
}

void TForm1::Label1Click(ui::TComponent*) {
  if (uptimeMode == 1) {
    uptimeMode = 0;
    RefreshDate();
    Label1->SetHint(kDateHint);
  } else if (stopwatchMode == 1) {
    // The uptime is not shown while the stopwatch is.
  } else {
    uptimeMode = 1;
    WorkRefresh();
    Label1->SetHint(kUptimeHint);
  }
}

// The stopwatch reads the system's millisecond counter: the 10 ms ticks only show its value,
// so ticks that come late or seldom (a system timer fires every 15.6 ms or so) change nothing.
void TForm1::N1Click(ui::TComponent*) {
  stopwatch.Start(platform_.clock().TickCount());
  stopwatchRunning = stopwatch.Running() ? 1 : 0;
}

void TForm1::N2Click(ui::TComponent*) {
  stopwatch.Stop(platform_.clock().TickCount());
  stopwatchRunning = 0;
}

void TForm1::N3Click(ui::TComponent*) {
  stopwatch.Reset();
  stopwatchRunning = 0;
}

void TForm1::TimerRefresh() {
  const clockface::StopwatchCounters v = stopwatch.Read(platform_.clock().TickCount());
  stopwatchRunning = stopwatch.Running() ? 1 : 0;  // it stops by itself at 20 / 0 / 0
  Label2->SetCaption(std::to_string(v.a));
  Label3->SetCaption(std::to_string(v.b));
  Label4->SetCaption(std::to_string(v.c));
}

void TForm1::WorkRefresh() {
  platform::Clock& clock = platform_.clock();
  Label1->SetCaption(clockface::UptimeText(clock.LongTimeFormat(), clock.TickCount()));
}
