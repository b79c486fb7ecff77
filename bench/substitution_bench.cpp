#include <benchmark/benchmark.h>

#include <boost/regex.hpp>
#include <cstdio>
#include <map>

#include "comment_marks.h"
#include "reg_exp_converter.h"
#include "substitution_rule.h"
#include "substitution_texts.h"

namespace {

void Convert(benchmark::State& state, const std::string& text, const RuleList& rules) {
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

void Convert(benchmark::State& state, const std::string& text) {
  Convert(state, text, TypicalRules());
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

// A rule whose expression runs on across lines, on a header where every
// place its expression matches lies in a comment: the time must grow with
// the number of lines, as the whole-text search of the rule pattern does.
const RuleList kPortRule = {{"\\bPORTB\\b[^;]*;"}, {"PORTB;"}};
const RuleList kPortAssignmentRule = {{"\\bPORTB\\s*=[^;]*;"}, {"PORTB;"}};

void BM_ConvertPortBitHeader(benchmark::State& state) {
  Convert(state, PortBitHeader(static_cast<size_t>(state.range(0))), kPortRule);
}
BENCHMARK(BM_ConvertPortBitHeader)->Arg(16000)->Arg(32000)->Unit(benchmark::kMillisecond);

void BM_ConvertPortBitHeaderByAssignmentRule(benchmark::State& state) {
  Convert(state, PortBitHeader(static_cast<size_t>(state.range(0))), kPortAssignmentRule);
}
BENCHMARK(BM_ConvertPortBitHeaderByAssignmentRule)->Arg(32000)->Unit(benchmark::kMillisecond);

// The same conversion with one plain whole-text search and replacement of
// the rule pattern, without a listing.
void BM_WholeTextSearchPortBitHeader(benchmark::State& state) {
  const std::string text = "\n" + MarkComments(PortBitHeader(static_cast<size_t>(state.range(0))));
  const SubstitutionRule rule =
      BuildSubstitutionRule(kPortRule.froms[0], kPortRule.tos[0], kCommentMark);
  const boost::regex pattern(rule.searchPattern);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        boost::regex_replace(text, pattern, rule.format, boost::match_not_dot_newline));
  }
}
BENCHMARK(BM_WholeTextSearchPortBitHeader)->Arg(16000)->Arg(32000)->Unit(benchmark::kMillisecond);

// The comment marking on line after line of one comment repeated, each line
// one copy longer (642 KB and 2.56 MB): the time must grow with the size.
void BM_MarkOverlappingComments(benchmark::State& state) {
  const std::string text = OverlappingComments(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(MarkComments(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["KB"] = static_cast<double>(text.size()) / 1024;
}
BENCHMARK(BM_MarkOverlappingComments)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);

// Shows the results as the console reporter does and keeps each benchmark's
// time per iteration (the median when runs are repeated).
class TimeKeepingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.run_name.function_name + "/" + run.run_name.args;
      if (run.run_type == Run::RT_Iteration && medians_.count(name) == 0) {
        times_[name] = run.GetAdjustedRealTime();
      } else if (run.aggregate_name == "median") {
        medians_[name] = run.GetAdjustedRealTime();
        times_[name] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatio(const char* what, const std::string& numerator,
                  const std::string& denominator) const {
    const auto top = times_.find(numerator);
    const auto bottom = times_.find(denominator);
    if (top == times_.end() || bottom == times_.end() || bottom->second <= 0) return;
    std::printf("%-58s %6.2f\n", what, top->second / bottom->second);
  }

 private:
  std::map<std::string, double> times_;
  std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TimeKeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nRatios of the times:\n");
  reporter.PrintRatio("port bit header, 32,000 lines to 16,000", "BM_ConvertPortBitHeader/32000",
                      "BM_ConvertPortBitHeader/16000");
  reporter.PrintRatio("port bit header, 16,000 lines, to the whole-text search",
                      "BM_ConvertPortBitHeader/16000", "BM_WholeTextSearchPortBitHeader/16000");
  reporter.PrintRatio("port bit header, 32,000 lines, to the whole-text search",
                      "BM_ConvertPortBitHeader/32000", "BM_WholeTextSearchPortBitHeader/32000");
  reporter.PrintRatio("port bit header, 32,000 lines, to the assignment rule",
                      "BM_ConvertPortBitHeader/32000",
                      "BM_ConvertPortBitHeaderByAssignmentRule/32000");
  reporter.PrintRatio("whole-text search, 32,000 lines to 16,000",
                      "BM_WholeTextSearchPortBitHeader/32000",
                      "BM_WholeTextSearchPortBitHeader/16000");
  reporter.PrintRatio("overlapping comments marked, 2.56 MB to 642 KB",
                      "BM_MarkOverlappingComments/800", "BM_MarkOverlappingComments/400");
  benchmark::Shutdown();
  return 0;
}
