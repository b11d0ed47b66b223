// Reading an event detail file of 10,000 sections through TIniFile: one full pass reads the
// time and date of every event.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "config/ini.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;
constexpr int kEvents = 10000;

std::string DetailFile() {
  std::string text;
  for (int i = 1; i <= kEvents; ++i) {
    text += "[" + std::to_string(i) + "]\r\n";
    text += "type=1\r\ntime=12:00:00\r\ndate=01.02.2026\r\nperiod=1\r\n";
    text += "filename=C:\\Horavo\\Sound\\event" + std::to_string(i) + ".wav\r\n";
  }
  return text;
}

// The file, written once per run into a folder of its own.
class Detail {
 public:
  Detail() {
    dir_ = fs::temp_directory_path() / ("horavo-ini-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    path_ = (dir_ / "Detail.ini").string();
    platform::WriteFileAtomically(path_, DetailFile());
  }
  ~Detail() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  fs::path dir_;
  std::string path_;
};

const Detail& File() {
  static Detail detail;
  return detail;
}

void ReadPass(const config::TIniFile& ini) {
  for (int i = 1; i <= kEvents; ++i) {
    const std::string section = std::to_string(i);
    benchmark::DoNotOptimize(ini.ReadString(section, "time", ""));
    benchmark::DoNotOptimize(ini.ReadString(section, "date", ""));
  }
}

// A file nobody has touched for a while: each read asks the system once whether it changed.
void BM_FullPassSettledFile(benchmark::State& state) {
  config::TIniFile ini(File().Path());
  static const bool settled = [] {
    std::this_thread::sleep_for(std::chrono::seconds(4));  // past the settling margin of any file system
    return true;
  }();
  benchmark::DoNotOptimize(settled);
  ini.ReadString("1", "time", "");
  for (auto _ : state) ReadPass(ini);
  state.SetItemsProcessed(state.iterations() * kEvents * 2);
}
BENCHMARK(BM_FullPassSettledFile)->Unit(benchmark::kMillisecond);

// A pass started right after the file was rewritten: until the file settles, every read
// compares the whole file with the parsed copy.
void BM_FullPassRightAfterWrite(benchmark::State& state) {
  config::TIniFile ini(File().Path());
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ini.WriteInteger("1", "period", ++round);
    state.ResumeTiming();
    ReadPass(ini);
  }
  state.SetItemsProcessed(state.iterations() * kEvents * 2);
}
BENCHMARK(BM_FullPassRightAfterWrite)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first read after another program replaced the file: reading and parsing all of it. This
// is what every read would cost without the parsed copy.
void BM_FirstReadAfterOutsideChange(benchmark::State& state) {
  config::TIniFile ini(File().Path());
  const std::string content = DetailFile();
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    platform::WriteFileAtomically(File().Path(), content + "[x]\r\nround=" + std::to_string(++round) + "\r\n");
    state.ResumeTiming();
    benchmark::DoNotOptimize(ini.ReadString("5000", "time", ""));
  }
}
BENCHMARK(BM_FirstReadAfterOutsideChange)->Unit(benchmark::kMillisecond);

// One change of one value: read, edit and atomic replacement of the ~800 KB file.
void BM_WriteOneValue(benchmark::State& state) {
  config::TIniFile ini(File().Path());
  int round = 0;
  for (auto _ : state) ini.WriteString("5000", "time", (++round % 2) ? "13:00:00" : "12:00:00");
}
BENCHMARK(BM_WriteOneValue)->Unit(benchmark::kMillisecond);

}  // namespace
