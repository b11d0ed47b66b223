// Filling the event list's view with 10,000 rows of four texts and a check mark, as the
// settings window's refresh does: on a form with a list view peer that counts what it is told,
// in one update and row by row.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ui/application.h"
#include "ui/forms.h"
#include "ui/headless/headless.h"
#include "ui/listview.h"

namespace {

constexpr int kRows = 10000;

struct CountingPeer : ui::ListViewPeer {
  explicit CountingPeer(long& calls) : calls(calls) {}
  void SetItemCount(int) override { ++calls; }
  void ItemChanged(int) override { ++calls; }
  long& calls;
};

struct Widgets : ui::HeadlessWidgetSet {
  Widgets() : HeadlessWidgetSet([this] { return now; }, [this](std::uint64_t t) { now = t; }) {}
  std::unique_ptr<ui::FormPeer> CreateFormPeer(ui::TForm&) override { return std::make_unique<ui::FormPeer>(); }
  std::unique_ptr<ui::ListViewPeer> CreateListViewPeer(ui::TListView&) override {
    return std::make_unique<CountingPeer>(calls);
  }
  std::uint64_t now = 0;
  long calls = 0;
};

void Fill(ui::TListView& list, bool batched) {
  if (batched) list.BeginUpdate();
  list.Clear();
  for (int i = 0; i < kRows; ++i)
    list.AddItem(std::to_string(10000 + i), {"Напоминание текстом", "12:00:00", "01.02.2003"}, i % 3 != 0);
  if (batched) list.EndUpdate();
}

void RunFill(benchmark::State& state, bool batched) {
  Widgets widgets;
  ui::TApplication app{widgets, [](const std::string&, const std::string&, unsigned) { return ui::ID_OK; }};
  ui::TForm form{nullptr};
  auto* list = new ui::TListView(&form);
  for (const char* caption : {"Код", "Тип", "Время", "Число"}) list->AddColumn(caption, 70);
  list->SetCheckboxes(true);
  list->SetParent(&form);
  for (auto _ : state) {
    Fill(*list, batched);
    benchmark::DoNotOptimize(list->ItemCount());
  }
  state.counters["peer calls per fill"] = double(widgets.calls) / double(state.iterations());
}

void BM_ListViewFill10000InOneUpdate(benchmark::State& state) { RunFill(state, true); }
void BM_ListViewFill10000RowByRow(benchmark::State& state) { RunFill(state, false); }

BENCHMARK(BM_ListViewFill10000InOneUpdate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListViewFill10000RowByRow)->Unit(benchmark::kMillisecond);

}  // namespace
