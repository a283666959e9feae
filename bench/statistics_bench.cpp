#include <benchmark/benchmark.h>

#include <string>

#include "runtime/line_reader.h"
#include "statistics/run_project_statistics.h"
#include "statistics/script_metrics.h"
#include "synthetic_project.h"
#include "temp_folder.h"

namespace dwelvane {
namespace {

void BM_MeasureScript(benchmark::State& state) {
  testing::TempFolder folder;
  const std::string path = bench::WriteLargeScript(folder.Path()) + "/" + bench::kLargeScriptName;
  const auto bytes = static_cast<std::int64_t>(testing::ReadFileBytes(path).size());
  LineReader reader;
  for (auto _ : state) {
    ProjectStatistics statistics;
    static_cast<void>(MeasureScript({path, path, path}, statistics, reader));
    benchmark::DoNotOptimize(statistics.ScriptCharCount);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_MeasureScript)->Unit(benchmark::kMillisecond);

void BM_RunProjectStatistics(benchmark::State& state) {
  testing::TempFolder folder;
  bench::SyntheticProjectShape shape;
  shape.scripts = static_cast<std::size_t>(state.range(0));
  shape.other_files = shape.scripts;
  bench::WriteSyntheticProject(folder.Path(), shape);
  StatisticsOptions options;
  options.project_folder = folder.Path();
  const ReportClock clock = [] { return DateTime{2009, 2, 5, 9, 5, 3}; };
  for (auto _ : state) {
    ProjectStatistics statistics;
    Progress progress;
    benchmark::DoNotOptimize(
        RunProjectStatistics(options, statistics, progress, CommandFeedback{}, clock));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_RunProjectStatistics)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dwelvane

BENCHMARK_MAIN();
