#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "test_support/files.h"
#include "test_support/process.h"
#include "test_support/temp_dir.h"

namespace {

namespace fs = boost::filesystem;
using platform::DirectoryEntry;
using platform::FindEntries;

std::vector<std::string> Names(const std::vector<DirectoryEntry>& entries) {
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
  return names;
}

const DirectoryEntry* Find(const std::vector<DirectoryEntry>& entries, const std::string& name) {
  for (const DirectoryEntry& entry : entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

class FindEntriesTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.txt", "A.txt", "c.TXT", "_under", "readme"}) {
      test_support::WriteFile(dir_ / name, "x");
    }
    fs::create_directory(dir_ / "Sub");
    fs::create_directory_symlink(dir_ / "Sub", dir_ / "linkToSub");
    fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  }

  test_support::TempDir dir_;
};

TEST_F(FindEntriesTest, ListsInCaseInsensitiveNameOrderWithDotEntries) {
  // Names compare in upper case, so "_" (after "Z") follows every letter.
  EXPECT_EQ(Names(FindEntries(dir_.Path(), "*")),
            (std::vector<std::string>{".", "..", "A.txt", "b.txt", "c.TXT", "dangling", "linkToSub",
                                      "readme", "Sub", "_under"}));
}

TEST_F(FindEntriesTest, NamesDifferingOnlyInCaseHaveAFixedOrder) {
  test_support::WriteFile(dir_ / "a.txt", "x");
  EXPECT_EQ(Names(FindEntries(dir_.Path(), "?.txt")),
            (std::vector<std::string>{"A.txt", "a.txt", "b.txt", "c.TXT"}));
}

TEST_F(FindEntriesTest, FiltersByPatternWithoutRegardToCase) {
  EXPECT_EQ(Names(FindEntries(dir_.Path(), "*.txt")),
            (std::vector<std::string>{"A.txt", "b.txt", "c.TXT"}));
  EXPECT_EQ(Names(FindEntries(dir_.Path() + "/", "SUB")), (std::vector<std::string>{"Sub"}));
  EXPECT_TRUE(FindEntries(dir_.Path(), "*.none").empty());
}

TEST_F(FindEntriesTest, TellsDirectoriesFilesAndLinksApart) {
  std::vector<DirectoryEntry> entries = FindEntries(dir_.Path(), "*.*");
  ASSERT_EQ(entries.size(), 10u);

  const DirectoryEntry* sub = Find(entries, "Sub");
  ASSERT_NE(sub, nullptr);
  EXPECT_TRUE(sub->isDirectory);
  EXPECT_FALSE(sub->isLink);

  // A link to a folder must not look like a folder, or a tree walk would
  // descend into it (and loop when it points upwards).
  const DirectoryEntry* link = Find(entries, "linkToSub");
  ASSERT_NE(link, nullptr);
  EXPECT_FALSE(link->isDirectory);
  EXPECT_TRUE(link->isLink);

  const DirectoryEntry* dangling = Find(entries, "dangling");
  ASSERT_NE(dangling, nullptr);
  EXPECT_FALSE(dangling->isDirectory);
  EXPECT_TRUE(dangling->isLink);

  const DirectoryEntry* file = Find(entries, "readme");
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->isDirectory);
  EXPECT_FALSE(file->isLink);

  const DirectoryEntry* dot = Find(entries, ".");
  ASSERT_NE(dot, nullptr);
  EXPECT_TRUE(dot->isDirectory);

  // What each entry is once links are followed; a folder and a link to it
  // are one folder.
  EXPECT_EQ(sub->kind, platform::EntryKind::Directory);
  EXPECT_EQ(link->kind, platform::EntryKind::Directory);
  EXPECT_EQ(link->identity, sub->identity);
  EXPECT_EQ(dangling->kind, platform::EntryKind::Unresolved);
  EXPECT_EQ(file->kind, platform::EntryKind::File);
  test_support::MakeFifo(dir_ / "pipe");
  bool readable = false;
  EXPECT_EQ(Find(FindEntries(dir_.Path(), "pipe", &readable), "pipe")->kind,
            platform::EntryKind::Special);
  EXPECT_TRUE(readable);
}

TEST(PathLength, APathOrANameBeyondTheSystemsLimitIsTooLong) {
  EXPECT_FALSE(platform::PathTooLong("/home/u/" + std::string(255, 'n')));
  EXPECT_TRUE(platform::PathTooLong("/home/u/" + std::string(256, 'n') + "/x"));
  std::string deep;
  while (deep.size() < 4000) deep += "/" + std::string(99, 'd');
  EXPECT_FALSE(platform::PathTooLong(deep));
  EXPECT_TRUE(platform::PathTooLong(deep + "/" + std::string(99, 'd')));
}

TEST_F(FindEntriesTest, MissingFolderOrAFileGivesNothing) {
  EXPECT_TRUE(FindEntries(dir_ / "missing", "*").empty());
  bool readable = true;
  EXPECT_TRUE(FindEntries(dir_ / "readme", "*", &readable).empty());
  EXPECT_FALSE(readable);
}

}  // namespace
