// Missed events: the last second the scheduler examined is kept in the configuration across
// runs and sleeps, and what fell due in a gap that was not run is reported in its own window.
// Also what the clock does when the computer sleeps or wakes and when the system time changes.
#include <cstdlib>

#include "app/forms.h"
#include "events/next_firing.h"

namespace {
// How often the last examined second is stored while the program runs, in seconds.
constexpr std::int64_t kStampEvery = 600;
}  // namespace

void TForm1::ReadLastScan() {
  // The second in which events fire is kept before their actions run: a start after a crash
  // or a close in that second does not fire them again. The configuration outlives this window.
  config::Settings& config = files.Config();
  scheduler.OnStamp = [&config](const platform::DateTime& second) {
    config.WriteString("Clock", "LastScan", events::ScanStampText(second));
  };
  // No stamp (a first start, a configuration of an older version), a damaged one: no gap.
  const std::string text = files.Config().ReadText("Clock", "LastScan", "");
  if (auto stamp = events::ParseScanStamp(text)) {
    scheduler.ContinueFrom(*stamp);
    // Stored again at the first scan, so a crash soon after does not report this gap twice.
    stampWritten_.reset();
  } else {
    stampWritten_ = events::SerialSecond(platform_.clock().Now());
  }
}

void TForm1::SaveLastScan() {
  const std::optional<platform::DateTime> last = scheduler.LastExamined();
  if (!last) return;
  // A configuration that cannot be written loses only the next report: no message at every
  // suspend and every ten minutes.
  try {
    files.Config().WriteString("Clock", "LastScan", events::ScanStampText(*last));
  } catch (const std::exception&) {
  }
}

void TForm1::AfterScan(const platform::DateTime& now) {
  const std::int64_t second = events::SerialSecond(now);
  // Measured both ways: after the clock was set back the stamp still follows.
  if (!stampWritten_ || std::llabs(second - *stampWritten_) >= kStampEvery) {
    SaveLastScan();
    stampWritten_ = second;
  }
  ReportMissed();
}

void TForm1::ReportMissed() {
  if (!announced_ || !scheduler.HasMissed()) return;
  // Taken even when not shown: with the report switched off the gap is simply over.
  const events::MissedEvents missed = scheduler.TakeMissed();
  if (!files.Config().ReadFlag("Clock", "ReportMissed", true) || !missedWindow) return;
  ui::Application().Guard([&] {
    if (TForm9* window = missedWindow()) window->AddMissed(missed);
  });
}

void TForm1::SystemNoticed(ui::SystemNotice notice) {
  switch (notice) {
    case ui::SystemNotice::kSuspending:
      // What slept is reported at waking up, never run late.
      scheduler.Suspending();
      SaveLastScan();
      break;
    case ui::SystemNotice::kSessionEnding:
      SaveLastScan();
      break;
    case ui::SystemNotice::kResumed:
    case ui::SystemNotice::kTimeChanged:
      RefreshNow();
      break;
    case ui::SystemNotice::kNone:
      break;
  }
}

void TForm1::RefreshNow() {
  const platform::DateTime now = ReadClock();
  ui::Application().Guard([&] {
    if (clockMode == 1 && fadingIn == 0) ArmClockTick(now);
    // The time refresh brings the date along (and runs the scan, which finds a gap the
    // computer slept through or the clock jumped over).
    if (clockMode == 1 || fadingIn == 1) {
      RefreshTime(now);
    } else if (uptimeMode == 0) {
      RefreshDate(now);
    }
    if (stopwatchMode == 1) TimerRefresh();
    if (uptimeMode == 1) WorkRefresh();
    PadTimeLabels();
  });
}
