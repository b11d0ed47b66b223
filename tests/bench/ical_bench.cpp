// Calendar files with 10,000 events: exporting the store (UIDs stored already, as after the
// first export), and importing such a file into an empty store in one commit.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "events/event_import.h"
#include "tests/bench/bench_program.h"

namespace {

events::ExchangeContext Context() {
  events::ExchangeContext c;
  c.now.year = 2026;
  c.now.month = 12;
  c.now.day = 1;
  c.time = {[](const platform::DateTime& t) { return t; }, [](const platform::DateTime& t) { return t; }};
  return c;
}

struct Exported {
  bench::EventFolder folder{"ical-export"};
  events::EventStore store{folder.AppDir()};
  std::string file = folder.AppDir() + "out.ics";
  Exported() { events::ExportFile(store, store.LoadList(), file, Context()); }
};

Exported& Source() {
  static Exported source;
  return source;
}

void BM_Export10000Events(benchmark::State& state) {
  auto& source = Source();
  const auto list = source.store.LoadList();
  for (auto _ : state) benchmark::DoNotOptimize(events::ExportFile(source.store, list, source.file, Context()));
}
BENCHMARK(BM_Export10000Events)->Unit(benchmark::kMillisecond);

void BM_Import10000EventsIntoAnEmptyStore(benchmark::State& state) {
  const std::string file = Source().file;
  const auto dir = std::filesystem::temp_directory_path() / ("horavo-ical-import-bench-" + std::to_string(::getpid()));
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(dir);
    bench::Write(dir / "Gear/Events.txt", "");
    std::filesystem::create_directories(dir / "notes");
    std::filesystem::create_directories(dir / "days");
    events::EventStore store(dir.string() + "/");
    state.ResumeTiming();
    const auto summary = events::ImportFile(store, nullptr, file, Context());
    if (summary.imported != bench::kEvents) state.SkipWithError("not every event was imported");
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_Import10000EventsIntoAnEmptyStore)->Unit(benchmark::kMillisecond);

}  // namespace
