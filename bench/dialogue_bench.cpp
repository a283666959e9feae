#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "dialogue/create_csv_table.h"
#include "dialogue/script_file_scan.h"
#include "dialogue/string_table.h"
#include "synthetic_project.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

void BM_TranslateReferences(benchmark::State& state) {
  const auto references = static_cast<std::size_t>(state.range(0));
  testing::TempFolder folder;
  std::string table_text;
  for (std::size_t i = 0; i < references; ++i) {
    table_text += "dlg_" + std::to_string(i) + "\tThe text of line " + std::to_string(i) + "\r\n";
  }
  const std::string path = folder.Write("STRING.TAB", table_text);
  DialogueTable table;
  for (std::size_t i = 0; i < references; ++i) {
    table.AppendRecord().Reference = table.StoreText("dlg_" + std::to_string(references - 1 - i));
  }
  for (auto _ : state) {
    Progress progress{static_cast<std::int64_t>(references), 0};
    TranslateReferences(table, path, progress, CommandFeedback{});
    benchmark::DoNotOptimize(table.Record(0).Translation.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TranslateReferences)->Arg(50000)->Unit(benchmark::kMillisecond);

// An ordinary table of `count` lines, and its IDs in another order.
struct OrdinaryTable {
  testing::TempFolder folder;
  std::string path;
  std::vector<std::string> ids;
};
void MakeOrdinaryTable(OrdinaryTable& table, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += "dlg_" + std::to_string(i) + "\tThe text of line " + std::to_string(i) + "\r\n";
    table.ids.push_back("DLG_" + std::to_string((i * 7919) % count));
  }
  table.path = table.folder.Write("STRING.TAB", text);
}

// Look-ups alone, the table loaded once: the hash, the probe and the ID's comparison.
void BM_StringTableLookup(benchmark::State& state) {
  OrdinaryTable ordinary;
  MakeOrdinaryTable(ordinary, static_cast<std::size_t>(state.range(0)));
  StringTable strings;
  static_cast<void>(strings.Load(ordinary.path));
  const std::vector<std::string>& ids = ordinary.ids;
  for (auto _ : state) {
    std::size_t bytes = 0;
    strings.LookupEach(
        ids.size(), [&](std::size_t i) { return std::string_view(ids[i]); },
        [&](std::size_t, std::string_view text) { bytes += text.size(); });
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StringTableLookup)->Arg(50000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// One ID at a time, as the check asks.
void BM_StringTableHas(benchmark::State& state) {
  OrdinaryTable ordinary;
  MakeOrdinaryTable(ordinary, static_cast<std::size_t>(state.range(0)));
  StringTable strings;
  static_cast<void>(strings.Load(ordinary.path));
  for (auto _ : state) {
    std::size_t held = 0;
    for (const std::string& id : ordinary.ids) {
      held += strings.Has(id) ? 1 : 0;
    }
    benchmark::DoNotOptimize(held);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StringTableHas)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ScanScriptFile(benchmark::State& state) {
  testing::TempFolder folder;
  const std::string script_folder = bench::WriteLargeScript(folder.Path());
  const std::string name = bench::kLargeScriptName;
  const std::string path = script_folder + "/" + name;
  const auto bytes = static_cast<std::int64_t>(testing::ReadFileBytes(path).size());
  LineReader reader;
  DialogueTable table;
  for (auto _ : state) {
    table.Clear();
    static_cast<void>(ScanScriptFile({script_folder, name, path}, table, reader));
    benchmark::DoNotOptimize(table.DialogueCount);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ScanScriptFile)->Unit(benchmark::kMillisecond);

void BM_CreateCsvTable(benchmark::State& state) {
  testing::TempFolder folder;
  bench::SyntheticProjectShape shape;
  shape.scripts = static_cast<std::size_t>(state.range(0));
  shape.string_table_lines = shape.scripts * shape.talks_per_script;
  bench::WriteSyntheticProject(folder.Path(), shape);
  DialogueOptions options;
  options.project_folder = folder.Path();
  options.output = OutputTarget::File(folder.Join("Dialogue_List.csv"));
  options.string_table_path = folder.Join("English/STRING.TAB");
  options.columns.translation = state.range(1) != 0;
  DialogueTable table;
  for (auto _ : state) {
    Progress progress;
    if (CreateCsvTable(options, table, progress, CommandFeedback{}).result !=
        CommandResult::kCompleted) {
      state.SkipWithError("the table could not be written");
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CreateCsvTable)->Args({2000, 0})->Args({2000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dwelvane
