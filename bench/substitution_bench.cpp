#include <benchmark/benchmark.h>

#include "comment_marks.h"
#include "reg_exp_converter.h"
#include "substitution_texts.h"

namespace {

void Convert(benchmark::State& state, const std::string& text) {
  const RuleList rules = TypicalRules();
  for (auto _ : state) {
    std::string out;
    std::string report;
    RegExpConverter converter(true);
    benchmark::DoNotOptimize(
        converter.ConvertText(text, rules.froms, rules.tos, out, "/project/src/file.c", report));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["KB"] = static_cast<double>(text.size()) / 1024;
  state.counters["comments"] = static_cast<double>(CountBlockComments(text));
}

// A typical C file of 50 KB.
void BM_ConvertCFile(benchmark::State& state) { Convert(state, TypicalCFile(50 * 1024)); }
BENCHMARK(BM_ConvertCFile)->Unit(benchmark::kMillisecond);

// A register header of the given size in KB; at 1024 KB it holds about
// 21,000 block comments.
void BM_ConvertRegisterHeader(benchmark::State& state) {
  Convert(state, RegisterHeader(static_cast<size_t>(state.range(0)) * 1024));
}
BENCHMARK(BM_ConvertRegisterHeader)->Arg(512)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

// Lines that repeat one block comment word for word; the time must grow
// with the number of lines, not with its square.
void BM_ConvertRepeatedComment(benchmark::State& state) {
  Convert(state, RepeatedCommentLines(static_cast<size_t>(state.range(0))));
}
BENCHMARK(BM_ConvertRepeatedComment)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

// The comment marking alone, on the same headers.
void BM_MarkRegisterHeader(benchmark::State& state) {
  const std::string text = RegisterHeader(static_cast<size_t>(state.range(0)) * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(MarkComments(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_MarkRegisterHeader)->Arg(512)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
