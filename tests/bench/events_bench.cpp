// The event scheduler with 10 and with 10,000 stored events: one time refresh of the clock when
// none of them is due (the cost every second carries; it should not grow with the events), the
// scan alone, and RefreshBase, which reads the time and date of every event from the detail file,
// alone and with the scan that follows it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "app/forms.h"
#include "tests/bench/bench_program.h"

namespace {

using bench::kEvents;

// The program with its stored events replaced by `count` others, loaded as the settings window
// loads them when it closes.
class Installed : public bench::InstalledProgram {
 public:
  Installed() : InstalledProgram("events") {}
  void Store(int count) {
    if (count == stored_) return;
    bench::WriteEvents(Path(), count);
    Form1->scheduler.LoadList();
    Form1->RefreshBase();
    stored_ = count;
  }

 private:
  int stored_ = kEvents;
};

// The program with `count` stored events loaded.
void Install(int count) {
  static Installed installed;
  installed.Store(count);
  if (Form1->scheduler.Times().size() != std::size_t(count)) {
    std::fprintf(stderr, "the program did not load the events:\n%s", installed.Errors().c_str());
    std::abort();
  }
}

void BM_TimeRefreshNoneDue(benchmark::State& state) {
  Install(int(state.range(0)));
  for (auto _ : state) Form1->RefreshTime();
}
BENCHMARK(BM_TimeRefreshNoneDue)->Arg(10)->Arg(kEvents)->Unit(benchmark::kMicrosecond);

void BM_ScanNoneDue(benchmark::State& state) {
  Install(int(state.range(0)));
  const platform::DateTime now = Form1->Platform().clock().Now();
  for (auto _ : state) Form1->ScanEvents(now);
}
BENCHMARK(BM_ScanNoneDue)->Arg(10)->Arg(kEvents)->Unit(benchmark::kMicrosecond);

void BM_RefreshBaseOf10000Events(benchmark::State& state) {
  Install(kEvents);
  for (auto _ : state) Form1->RefreshBase();
}
BENCHMARK(BM_RefreshBaseOf10000Events)->Unit(benchmark::kMillisecond);

// RefreshBase and the scan after it, which reads every stored time again for its index.
void BM_RefreshBaseAndScanOf10000Events(benchmark::State& state) {
  Install(kEvents);
  const platform::DateTime now = Form1->Platform().clock().Now();
  for (auto _ : state) {
    Form1->RefreshBase();
    Form1->ScanEvents(now);
  }
}
BENCHMARK(BM_RefreshBaseAndScanOf10000Events)->Unit(benchmark::kMillisecond);

}  // namespace
