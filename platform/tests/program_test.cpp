#include "platform/program.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>
#include <vector>

#include "test_support/process.h"

namespace {

using platform::JoinCommandLine;

TEST(JoinCommandLine, QuotesOnlyTheValueOfDoubleDashOptions) {
  EXPECT_EQ(JoinCommandLine({"--test-mode", "--ini-file=/a b/Varnock.xml", "--src-dir=/src"}),
            "--test-mode --ini-file=\"/a b/Varnock.xml\" --src-dir=\"/src\"");
  EXPECT_EQ(JoinCommandLine({"--empty=", "--pair=a=b", "-x=1", "plain=1", "--flag"}),
            "--empty=\"\" --pair=\"a=b\" -x=1 plain=1 --flag");
}

TEST(JoinCommandLine, JoinsWithSingleBlanksKeepingEmptyArguments) {
  EXPECT_EQ(JoinCommandLine({}), "");
  EXPECT_EQ(JoinCommandLine({"one"}), "one");
  EXPECT_EQ(JoinCommandLine({"a", "", "b"}), "a  b");
  EXPECT_EQ(JoinCommandLine({"two words", " "}), "two words  ");
}

struct ProbeOutput {
  std::string commandLine;
  std::string programPath;
};

// Runs the probe program with `arguments` and splits the two lines it
// prints.
ProbeOutput RunProbe(const std::vector<std::string>& arguments) {
  const test_support::ProgramResult result =
      test_support::RunProgram(PROCESS_PROBE_PATH, arguments);
  EXPECT_EQ(result.exitCode, 0) << result.errors;
  const std::string& output = result.output;
  size_t firstEnd = output.find('\n');
  size_t secondEnd = output.find('\n', firstEnd + 1);
  if (secondEnd == std::string::npos) {
    ADD_FAILURE() << "the probe printed: " << output;
    return {};
  }
  return {output.substr(0, firstEnd), output.substr(firstEnd + 1, secondEnd - firstEnd - 1)};
}

TEST(CommandLine, RendersTheArgumentsTheProcessGot) {
  ProbeOutput output =
      RunProbe({"--test-mode", "--ini-file=/cfg dir/Varnock.xml", "", "a b", "--flag"});
  EXPECT_EQ(output.commandLine, "--test-mode --ini-file=\"/cfg dir/Varnock.xml\"  a b --flag");
}

TEST(CommandLine, EmptyWithoutArgumentsAndKeepsTrailingEmptyOnes) {
  EXPECT_EQ(RunProbe({}).commandLine, "");
  EXPECT_EQ(RunProbe({"a", "", ""}).commandLine, "a  ");
}

TEST(ProgramPath, IsTheRunningExecutable) {
  EXPECT_EQ(RunProbe({"x"}).programPath, boost::filesystem::canonical(PROCESS_PROBE_PATH).string());
}

TEST(ProgramPath, OverrideAnswersUntilCleared) {
  const std::string real = platform::ProgramPath();
  ASSERT_FALSE(real.empty());
  platform::OverrideProgramPath("/opt/varnock/bin/varnock");
  EXPECT_EQ(platform::ProgramPath(), "/opt/varnock/bin/varnock");
  platform::OverrideProgramPath("");
  EXPECT_EQ(platform::ProgramPath(), real);
}

}  // namespace
