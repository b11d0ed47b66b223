// The clock tick: time and date labels, leading zeros, the start-up fade-in, chimes, the tray
// hint and the time in the active window's caption.
#include <algorithm>
#include <utility>

#include "app/main_window.h"
#include "clock/chimes.h"
#include "clock/time_format.h"
#include "events/scheduler.h"

platform::DateTime TForm1::ReadClock() {
  const platform::ZonedTime now = platform_.clock().NowZoned();
  utcOffset_ = now.utcOffset;
  return now.local;
}

void TForm1::RefreshDate() { RefreshDate(ReadClock()); }

void TForm1::RefreshDate(const platform::DateTime& now) {
  std::string date = DateOrCountdown(now);
  if (const int size = DateFontSize(date); Label1->Font().size != size) Label1->SetFontSize(size);
  if (Label1->Caption() != date) Label1->SetCaption(date);
}

void TForm1::RefreshTime() { RefreshTime(ReadClock()); }

void TForm1::RefreshTime(const platform::DateTime& now) {
  const std::string hint = TimeHint(now);
  TrayIcon1->SetHint(TrayHint(now, hint));

  const int h = now.hour, m = now.minute, s = now.second;
  Label2->SetCaption(std::to_string(h));
  Label3->SetCaption(std::to_string(m));
  Label4->SetCaption(std::to_string(s));

  // The date changes at midnight; outside the uptime display it is also brought up to date
  // when midnight passed without a refresh (the computer slept, the stopwatch was shown).
  if ((h == 0 && m == 0 && s == 0) || uptimeMode == 0) RefreshDate(now);

  // A sound file that cannot be played raises its error here: the signals after it, the
  // caption and the event check wait for the next refresh.
  // Refreshes fall into one second many times during the fade-in; it chimes once.
  const clockface::ChimeSettings chimes{midnightSoundFile, hourSoundFile,  minuteSoundFile,
                                        midnightBeepFreq,  hourBeepFreq,   minuteBeepFreq};
  if (const std::int64_t second = events::SerialSecond(now); second != chimedSecond_) {
    chimedSecond_ = second;
    for (const clockface::Chime& chime : clockface::ChimesAt(h, m, s, chimes)) {
      if (!chime.file.empty()) {
        MediaPlayer1->PlayFile(chime.file);
      } else {
        platform_.sound().Beep(chime.frequency, chime.durationMs);
      }
    }
  }

  KeepTimeRunning(now, hint);
}

std::string TForm1::TimeHint(const platform::DateTime& now) {
  platform::Clock& clock = platform_.clock();
  return "Время " + clockface::FormatPicture(clock.LongTimeFormat(), now) + " | Число " +
         clockface::FormatPicture(clock.ShortDateFormat(), now);
}

void TForm1::KeepTimeRunning(const platform::DateTime& now, const std::string& hint) {
  keptSecond_ = events::SerialSecond(now);
  if (showInTitle == 1) {
    activeWindow = platform_.desktop().ForegroundWindow();
    // The window that lost the foreground gets its own caption back at once; only the active
    // one shows the time, after its own caption (as it was before the clock first wrote there).
    if (lastActiveWindow != 0 && lastActiveWindow != activeWindow) captions.Restore(lastActiveWindow);
    activeCaptionBuf = captions.OwnCaption(activeWindow);
    titleText = activeCaptionBuf + hint;
    captions.SetCaption(activeWindow, titleText);
    // The window whose caption was read and written, even if another came to the front
    // meanwhile: that one is read at the next refresh.
    lastActiveWindow = activeWindow;
  } else if (!captions.Empty()) {
    SetShowInTitle(showInTitle);  // switched off by a change of the field itself
  }

  // The second this refresh stands for, even when a long beep has carried the clock on.
  ScanEvents(now);
}

void TForm1::ScanEvents(const platform::DateTime& now) {
  if (!scanning_) {
    heldScan_ = now;
    return;
  }
  platform::Clock& clock = platform_.clock();
  scheduler.Scan(now, clock.LongTimeFormat(), clock.ShortDateFormat(), utcOffset_);
  AfterScan(now);
}

void TForm1::StartScanning() {
  scanning_ = true;
  if (auto held = std::exchange(heldScan_, std::nullopt)) ScanEvents(*held);
}

void TForm1::ArmClockTick(const platform::DateTime& now) {
  // Restarting the timer, not only changing its interval, so that an unchanged interval also
  // counts from now. A tick early in its second waits one second, not more: the margin is for
  // timers that fire early, and one that does refreshes the same second again, which the
  // scheduler's examined mark and the chime record absorb.
  Timer1->Restart(std::min(1000, clockface::MsToNextTick(now.millisecond)));
}

void TForm1::PadTimeLabels() {
  Label2->SetCaption(clockface::WithLeadingZero(Label2->Caption(), !(hideNulls == 1 && hideHourNulls == 1)));
  Label3->SetCaption(clockface::WithLeadingZero(Label3->Caption(), hideNulls != 1));
  Label4->SetCaption(clockface::WithLeadingZero(Label4->Caption(), hideNulls != 1));
}

void TForm1::Timer1Timer(ui::TComponent*) {
  // The one moment this tick stands for.
  const platform::DateTime now = ReadClock();
  // A timer of a fixed second drifts against the clock: a tick would now and then fall twice
  // into one second or miss one. Each clock tick therefore sets the next one just after the
  // next second begins, before anything here can block (a beep) or fail (a sound file).
  if (clockMode == 1 && fadingIn == 0) ArmClockTick(now);

  if (clockMode == 1) RefreshTime(now);
  if (stopwatchMode == 1) {
    TimerRefresh();
    // The stopwatch covers only the face: the tray hint, the caption and the event check go
    // on, once in each second of its 10 ms ticks.
    if (events::SerialSecond(now) != keptSecond_) {
      const std::string hint = TimeHint(now);
      TrayIcon1->SetHint(TrayHint(now, hint));
      KeepTimeRunning(now, hint);
    }
  }
  if (uptimeMode == 1) WorkRefresh();
  if (fadingIn == 1) {
    RefreshTime(now);
    // An opacity the window cannot reach (a transparency setting outside 0..254) ends the
    // fade-in where it stands instead of letting it run for ever.
    int target = std::min(255 - alphaLevel, 255);
    if (AlphaBlendValue() < target) {
      SetAlphaBlend(true);
      SetAlphaBlendValue(AlphaBlendValue() + 1);
    }
    if (AlphaBlendValue() >= target) {
      fadingIn = 0;
      clockMode = 1;
      Timer1->SetInterval(1000);
    }
  }
  PadTimeLabels();
  UpdateFaceName();
}

void TForm1::SetShowInTitle(int value) {
  showInTitle = value;
  if (value == 1) return;
  captions.RestoreAll();
  lastActiveWindow = 0;
}
