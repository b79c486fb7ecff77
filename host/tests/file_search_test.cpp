#include "file_search.h"

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>
#include <vector>

#include "test_support/files.h"
#include "test_support/process.h"
#include "test_support/temp_dir.h"

namespace {

using test_support::WriteFile;
using Paths = std::vector<std::string>;

class FileSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    WriteFile(root / "b.c", "");
    WriteFile(root / "A.h", "");
    WriteFile(root / "src/main.c", "");
    WriteFile(root / "src/drivers/uart.C", "");
    WriteFile(root / "doc/readme", "");
    boost::filesystem::create_directories(root / "empty");
  }
  std::string Rel(const std::string& path) const { return path.substr(root.Path().size()); }
  Paths Rel(const Paths& paths) const {
    Paths relative;
    for (const auto& path : paths) relative.push_back(Rel(path));
    return relative;
  }
  test_support::TempDir root;
  test_support::TempDir outside;
};

TEST_F(FileSearchTest, FilesOfAFolderComeBeforeThoseOfItsSubfoldersDepthFirst) {
  Paths files;
  EXPECT_EQ(FindFiles("*.*", root.Path(), files), 5);
  EXPECT_EQ(Rel(files),
            (Paths{"/A.h", "/b.c", "/doc/readme", "/src/main.c", "/src/drivers/uart.C"}));
}

TEST_F(FileSearchTest, PatternsIgnoreLetterCaseAndSkipMatchingFolders) {
  boost::filesystem::create_directories(root / "lib/extconv.so");
  WriteFile(root / "lib/deep/er/ExtConvSample.SO", "");
  Paths files{"kept"};
  EXPECT_EQ(FindFiles("extconv*.so", root.Path(), files), 1);
  EXPECT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], "kept");
  EXPECT_EQ(Rel(files[1]), "/lib/deep/er/ExtConvSample.SO");

  Paths sources;
  FindFiles("*.c", root.Path(), sources);
  EXPECT_EQ(Rel(sources), (Paths{"/b.c", "/src/main.c", "/src/drivers/uart.C"}));
}

TEST_F(FileSearchTest, ATrailingSeparatorGivesTheSamePaths) {
  Paths without, with;
  FindFiles("*.*", root.Path(), without);
  FindFiles("*.*", root.Path() + "/", with);
  EXPECT_EQ(without, with);
}

TEST_F(FileSearchTest, NothingFoundLeavesTheListAsItWas) {
  Paths files{"kept"};
  EXPECT_EQ(FindFiles("*.*", root / "empty", files), 0);
  EXPECT_EQ(FindFiles("*.*", root / "missing", files), 0);
  EXPECT_EQ(FindFiles("*.xyz", root.Path(), files), 0);
  EXPECT_EQ(files, Paths{"kept"});
}

TEST_F(FileSearchTest, SubfoldersComeAfterTheirParents) {
  Paths folders;
  EXPECT_EQ(FindSubdirectories("*.*", root.Path(), folders), 4);
  EXPECT_EQ(Rel(folders), (Paths{"/doc", "/empty", "/src", "/src/drivers"}));
}

TEST_F(FileSearchTest, LinkedFoldersAreSearchedOnceAndOnlyFilesAreListed) {
  namespace fs = boost::filesystem;
  WriteFile(outside / "lib/lib.c", "");
  fs::create_directory_symlink(outside / "lib", root / "lib");
  fs::create_directory_symlink(outside / "lib", root / "again");  // the same folder once more
  fs::create_directory_symlink(root.Path(), root / "src/loop");
  fs::create_symlink("nowhere.c", root / "gone.c");
  test_support::MakeFifo(root / "pipe.c");
  test_support::MakeSocket(root / "socket.c");

  Paths files, folders;
  EXPECT_EQ(FindFiles("*.*", root.Path(), files), 6);
  EXPECT_EQ(Rel(files), (Paths{"/A.h", "/b.c", "/again/lib.c", "/doc/readme", "/src/main.c",
                               "/src/drivers/uart.C"}));
  FindSubdirectories("*.*", root.Path(), folders);
  EXPECT_EQ(Rel(folders), (Paths{"/again", "/doc", "/empty", "/src", "/src/drivers"}));
}

// The search of a run: no link is followed, each file inside is found at its
// own place, and a folder link that leads out of the folder or above it is
// named.
TEST_F(FileSearchTest, TheRunsSearchFollowsNoLinkAndNamesThoseLeadingOut) {
  namespace fs = boost::filesystem;
  WriteFile(outside / "lib/lib.c", "");
  fs::create_directory_symlink(outside / "lib", root / "lib");
  fs::create_directory_symlink("src", root / "inside");
  fs::create_directory_symlink("..", root / "up");
  fs::create_directory_symlink(root.Path(), root / "src/self");
  fs::create_symlink("../b.c", root / "src/alias.c");
  fs::create_symlink("nowhere.c", root / "gone.c");

  const TreeListing listing = ListTree(root.Path(), LinkedFolders::NotFollowed);
  EXPECT_EQ(Rel(listing.files), (Paths{"/A.h", "/b.c", "/doc/readme", "/src/alias.c", "/src/main.c",
                                       "/src/drivers/uart.C"}));
  EXPECT_EQ(Rel(listing.folders), (Paths{"/doc", "/empty", "/src", "/src/drivers"}));
  EXPECT_EQ(Rel(listing.deadLinks), Paths{"/gone.c"});
  Paths leftOut;
  for (const LeftOutEntry& entry : listing.leftOut) {
    leftOut.push_back(Rel(entry.path) + (entry.reason == LeftOutReason::OutsideFolder ? " outside"
                                         : entry.reason == LeftOutReason::HoldingFolder
                                             ? " holding"
                                             : " other"));
  }
  EXPECT_EQ(leftOut, (Paths{"/lib outside", "/up holding", "/src/self holding"}));

  // The other searches follow links, but none to a folder above.
  Paths files;
  FindFiles("*.*", root.Path(), files);
  EXPECT_EQ(Rel(files), (Paths{"/A.h", "/b.c", "/doc/readme", "/inside/alias.c", "/inside/main.c",
                               "/inside/drivers/uart.C", "/lib/lib.c"}));
}

}  // namespace
