#include "platform/library.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/program.h"
#include "test_support/temp_dir.h"

namespace {

using platform::FindSymbol;
using platform::LoadLibrary;

TEST(Library, LoadsLibraryAndFindsItsFunctions) {
  void* library = LoadLibrary(TEST_LIBRARY_PATH);
  ASSERT_NE(library, nullptr);
  auto answer = reinterpret_cast<int (*)()>(FindSymbol(library, "VarnockTestAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(FindSymbol(library, "VarnockTestNoSuchFunction"), nullptr);
}

TEST(Library, LoadedLibrarySharesTheProgramPath) {
  void* library = LoadLibrary(TEST_LIBRARY_PATH);
  ASSERT_NE(library, nullptr);
  auto programPathOf =
      reinterpret_cast<void (*)(std::string*)>(FindSymbol(library, "VarnockTestProgramPath"));
  ASSERT_NE(programPathOf, nullptr);

  std::string seen;
  programPathOf(&seen);
  EXPECT_EQ(seen, platform::ProgramPath());

  platform::OverrideProgramPath("/opt/varnock/bin/varnock");
  programPathOf(&seen);
  platform::OverrideProgramPath("");
  EXPECT_EQ(seen, "/opt/varnock/bin/varnock");
}

TEST(Library, UnresolvedReferenceFailsTheLoad) {
  EXPECT_EQ(LoadLibrary(UNRESOLVED_LIBRARY_PATH), nullptr);
}

TEST(Library, NothingToLoadGivesNull) {
  test_support::TempDir dir;
  EXPECT_EQ(LoadLibrary(dir / "extconvMissing.so"), nullptr);
  EXPECT_EQ(LoadLibrary(dir.Path()), nullptr);
  EXPECT_EQ(LoadLibrary(""), nullptr);
  EXPECT_EQ(FindSymbol(nullptr, "VarnockTestAnswer"), nullptr);
}

}  // namespace
