#include <gtest/gtest.h>

#include "platform/program.h"
#include "test_converter.h"

namespace {

class InstallRootTest : public testing::Test {
 protected:
  void TearDown() override { platform::OverrideProgramPath(""); }
};

TEST_F(InstallRootTest, IsTheParentOfTheProgramFolder) {
  platform::OverrideProgramPath("/opt/tools/conv/bin/varnock");
  TestConverter converter;
  EXPECT_EQ(converter.installRoot, "/opt/tools/conv");
  EXPECT_EQ(converter.reportText, "");

  platform::OverrideProgramPath("/varnock");
  EXPECT_EQ(TestConverter().installRoot, "");

  platform::OverrideProgramPath("varnock");
  EXPECT_EQ(TestConverter().installRoot, "varnock");
}

}  // namespace
