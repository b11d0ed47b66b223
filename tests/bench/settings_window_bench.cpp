// The settings window with 10,000 stored events: committing an addition in the event editor
// (the new event's side file, its keys in one rewrite of the detail file, the list file and
// the list's refresh; each round adds one more event to the store), rebuilding the event list,
// and deleting an event from it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "app/forms.h"
#include "tests/bench/bench_program.h"

namespace {

using bench::kEvents;

TForm2& Install() {
  static bench::InstalledProgram installed("editor");
  if (!Form2 || Form2->storedCodes.size() < std::size_t(kEvents)) {
    std::fprintf(stderr, "the settings window did not load the events:\n%s", installed.Errors().c_str());
    std::abort();
  }
  return *Form2;
}

// The editor on the reminder page, with a text to store.
TForm2& ReminderEditor() {
  TForm2& w = Install();
  w.ShowEventPage();
  w.PageControl2->SetActivePageIndex(5);
  w.RichEdit1->SetText("Позвонить");
  return w;
}

void BM_CommitAdditionWith10000Events(benchmark::State& state) {
  TForm2& w = ReminderEditor();
  for (auto _ : state) {
    state.PauseTiming();
    w.BitBtn4Click(w.BitBtn4);  // begin: a new number
    state.ResumeTiming();
    w.BitBtn4Click(w.BitBtn4);  // commit
  }
  state.counters["events"] = double(w.storedCodes.size());
}
BENCHMARK(BM_CommitAdditionWith10000Events)->Unit(benchmark::kMillisecond);

// The event list rebuilt from the store: the list file, one parse of the detail file, the rows.
void BM_EventRefreshWith10000Events(benchmark::State& state) {
  TForm2& w = Install();
  for (auto _ : state) w.EventRefresh();
  state.counters["rows"] = double(w.ListView1->ItemCount());
}
BENCHMARK(BM_EventRefreshWith10000Events)->Unit(benchmark::kMillisecond);

// Deleting one reminder from the list: its note, its section, its list line, its scanning and
// the list rebuilt. Each round first adds the reminder it deletes, untimed.
void BM_DeleteEventWith10000Events(benchmark::State& state) {
  TForm2& w = ReminderEditor();
  for (auto _ : state) {
    state.PauseTiming();
    w.BitBtn4Click(w.BitBtn4);
    w.BitBtn4Click(w.BitBtn4);
    w.ListView1->SetItemIndex(w.ListView1->ItemCount() - 1);
    state.ResumeTiming();
    w.EventDel();
  }
  state.counters["events"] = double(w.storedCodes.size());
}
BENCHMARK(BM_DeleteEventWith10000Events)->Unit(benchmark::kMillisecond);

}  // namespace
