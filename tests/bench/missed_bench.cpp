// The scheduler's start over 10,000 stored daily events: loading them and the first scan, with
// no stamp of an earlier run and with one a day, a year and back to 1970 before, whose gap
// is then collected for the missed events report. A long gap should cost little more than none.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "config/settings.h"
#include "events/event_store.h"
#include "events/next_firing.h"
#include "events/scheduler.h"
#include "tests/bench/bench_program.h"

namespace {

// -1: no stamp; otherwise the stamp lies that many days before the start (at the same time of
// day), and 20,000 days reaches back to 1970.
void BM_StartWithAStampDaysBack(benchmark::State& state) {
  static bench::EventFolder folder("missed");
  config::Settings settings(folder.AppDir() + "Cfg/Clock_config.ini");
  events::EventStore store(folder.AppDir());
  const platform::DateTime now{2026, 12, 7, 9, 5, 7, 0, 1};
  const std::int64_t daysBack = state.range(0);
  for (auto _ : state) {
    events::Scheduler scheduler(store, settings, [](const std::string&) {});
    scheduler.LoadList();
    scheduler.Reload();
    if (daysBack >= 0) {
      const std::int64_t stamp = std::max<std::int64_t>(0, events::SerialSecond(now) - daysBack * 86400);
      scheduler.ContinueFrom(events::FromSerialSecond(stamp));
    }
    scheduler.Scan(now, "HH:mm:ss", "dd.MM.yyyy");
    const events::MissedEvents missed = scheduler.TakeMissed();
    if (daysBack > 0 && missed.firings.size() != events::kMostMissedRows) std::abort();
    benchmark::DoNotOptimize(missed.older);
  }
}
BENCHMARK(BM_StartWithAStampDaysBack)->Arg(-1)->Arg(1)->Arg(365)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
