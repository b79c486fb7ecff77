#include "platform/program.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <cstdio>
#include <string>
#include <vector>

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

// Runs the probe program with `arguments` (none holding a single quote) and
// splits the two lines it prints.
ProbeOutput RunProbe(const std::vector<std::string>& arguments) {
  std::string command = "'" PROCESS_PROBE_PATH "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, count);
    EXPECT_EQ(::pclose(pipe), 0) << command;
  }
  size_t firstEnd = output.find('\n');
  size_t secondEnd = output.find('\n', firstEnd + 1);
  if (secondEnd == std::string::npos) {
    ADD_FAILURE() << command << " printed: " << output;
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
