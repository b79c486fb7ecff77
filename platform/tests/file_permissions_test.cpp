#include "platform/file_permissions.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>

#include "test_support/files.h"
#include "test_support/temp_dir.h"

namespace {

namespace fs = boost::filesystem;

unsigned PermissionsOf(const std::string& path) {
  return static_cast<unsigned>(fs::symlink_status(path).permissions() & fs::all_all);
}

TEST(FilePermissionsTest, OnlyARegularFileGainsOwnerWriteAndKeepsItsOtherBits) {
  test_support::TempDir dir;
  const std::string readOnly = dir / "read-only.xml", link = dir / "link.xml";
  test_support::WriteFile(readOnly, "x");
  fs::permissions(readOnly, fs::perms(0454));
  fs::create_symlink(readOnly, link);
  fs::create_directory(dir / "folder");

  EXPECT_FALSE(platform::AddOwnerWritePermission(link));
  EXPECT_EQ(PermissionsOf(readOnly), 0454u);
  EXPECT_TRUE(platform::AddOwnerWritePermission(readOnly));
  EXPECT_EQ(PermissionsOf(readOnly), 0654u);
  EXPECT_TRUE(platform::AddOwnerWritePermission(readOnly));
  EXPECT_EQ(PermissionsOf(readOnly), 0654u);
  EXPECT_FALSE(platform::AddOwnerWritePermission(dir / "folder"));
  EXPECT_FALSE(platform::AddOwnerWritePermission(dir / "missing.xml"));
}

}  // namespace
