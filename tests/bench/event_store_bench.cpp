// The event store with 10,000 events, as the settings window changes and lists it: recording
// one event (its keys in one rewrite, against the old rewrite per key), removing one, and
// building the list's rows right after a write.
#include <benchmark/benchmark.h>

#include <string>

#include "config/ini.h"
#include "events/event_store.h"
#include "events/store_changes.h"
#include "settings/event_list_model.h"
#include "tests/bench/bench_program.h"

namespace {

events::EventStore& Store() {
  static bench::EventFolder folder("store");
  static events::EventStore store(folder.AppDir());
  return store;
}

// The event with the most keys: a reminder on chosen weekdays.
events::EventRecord Reminder() {
  using namespace std::string_literals;
  events::EventRecord e;
  e.number = "99998"s;
  e.time = "20:00:00"s;
  e.date = "01.02.2003"s;
  e.type = "5"s;
  e.sideText = "{\\rtf1\\ansi\\ansicpg1251 Позвонить}"s;
  e.period = "4"s;
  e.weekdays = {true, false, true, false, true, false, false};
  return e;
}

void BM_RecordAnEventWith10000Stored(benchmark::State& state) {
  auto& store = Store();
  const auto e = Reminder();
  for (auto _ : state) {
    store.AddEvent(e);
    state.PauseTiming();
    events::RemoveEvent(store, e.number);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RecordAnEventWith10000Stored)->Unit(benchmark::kMillisecond);

// The same keys, each written by itself as the store used to: a full rewrite per key.
void BM_RecordAnEventKeyByKeyWith10000Stored(benchmark::State& state) {
  auto& store = Store();
  const auto e = Reminder();
  const auto plan = events::PlanEventWrite(e, store.AppDir());
  for (auto _ : state) {
    store.EraseSection(e.number);
    for (const auto& [key, value] : plan.keys) store.Write(e.number, key, value);
    state.PauseTiming();
    store.EraseSection(e.number);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RecordAnEventKeyByKeyWith10000Stored)->Unit(benchmark::kMillisecond);

void BM_RemoveAnEventWith10000Stored(benchmark::State& state) {
  auto& store = Store();
  const auto e = Reminder();
  for (auto _ : state) {
    state.PauseTiming();
    store.AddEvent(e);
    state.ResumeTiming();
    events::RemoveEvent(store, e.number);
  }
}
BENCHMARK(BM_RemoveAnEventWith10000Stored)->Unit(benchmark::kMillisecond);

// Rows of the standard view right after the detail file was rewritten (the case after every
// addition and removal), read from one snapshot.
void BM_ListRowsOf10000RightAfterAWrite(benchmark::State& state) {
  auto& store = Store();
  config::TIniFile detail(store.DetailPath());
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    detail.WriteInteger("3", "active", ++round % 2);
    state.ResumeTiming();
    std::vector<settings::EventRow> rows;
    settings::ListRows(config::TIniSnapshot(detail), store.LoadList(), settings::kFilterStandard, rows);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_ListRowsOf10000RightAfterAWrite)->Unit(benchmark::kMillisecond);

}  // namespace
