#include <gtest/gtest.h>

#include <boost/filesystem.hpp>

#include "test_converter.h"
#include "test_support/files.h"
#include "ui/headless.h"

namespace {

using test_support::ReadFile;
using test_support::WriteFile;

class CopyAddedFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    WriteFile(install.TemplateFolder() + "top.txt", "top");
    WriteFile(install.TemplateFolder() + "sub/deep/board.xml", "board");
    converter.projectFolder = project.Path() + "/";
  }

  void ExpectMessage(const std::string& text) {
    const auto& boxes = ui::headless::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].caption, "Add Qor files");
  }

  TemporaryInstall install;
  test_support::TempDir project;
  TestConverter converter;
};

// "\" separates folders as "/" does; a copy of a read-only template file is
// the user's to change.
TEST_F(CopyAddedFilesTest, CopiesIntoNewFoldersOverExistingFilesAndReportsEach) {
  namespace fs = boost::filesystem;
  WriteFile(project / "top.txt", "old");
  fs::permissions(install.TemplateFolder() + "sub/deep/board.xml", fs::perms(0444));
  converter.addedQorFiles = {"top.txt", "sub\\deep\\board.xml", "sub/deep/board.xml"};

  EXPECT_TRUE(converter.CopyAddedFiles());
  EXPECT_EQ(ReadFile(project / "top.txt"), "top");
  EXPECT_EQ(ReadFile(project / "sub/deep/board.xml"), "board");
  EXPECT_EQ(fs::status(project / "sub/deep/board.xml").permissions() & fs::all_all,
            fs::perms(0644));
  EXPECT_EQ(converter.reportText,
            "top.txt => were copied to the project directory.\n"
            "sub\\deep\\board.xml => were copied to the project directory.\n"
            "sub/deep/board.xml => were copied to the project directory.\n");
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(CopyAddedFilesTest, MissingSourceStopsAndKeepsWhatWasCopied) {
  converter.addedQorFiles = {"top.txt", "missing.txt", "sub/deep/board.xml"};

  EXPECT_FALSE(converter.CopyAddedFiles());
  ExpectMessage("The file '" + install.TemplateFolder() + "missing.txt' does not exist.");
  EXPECT_EQ(ReadFile(project / "top.txt"), "top");
  EXPECT_FALSE(test_support::Exists(project / "sub"));
  EXPECT_EQ(converter.reportText, "top.txt => were copied to the project directory.\n");
}

TEST_F(CopyAddedFilesTest, AFolderEntryExistsButCannotBeCopied) {
  converter.addedQorFiles = {"sub/deep"};

  EXPECT_FALSE(converter.CopyAddedFiles());
  ExpectMessage("Could not copy '" + install.TemplateFolder() + "sub/deep' to '" + project.Path() +
                "/sub/deep'.\nOperation aborted.");
  EXPECT_EQ(converter.reportText, "");
}

// A project in the template folder, or reached through a link to it, names
// each extra file as its own destination: the file must stay whole.
TEST_F(CopyAddedFilesTest, AFileCopiedOntoItselfIsRefusedAndKept) {
  boost::filesystem::create_directory_symlink(install.TemplateFolder(), project / "link");
  for (const std::string& folder : {install.TemplateFolder(), project / "link/"}) {
    ui::headless::Reset();
    converter.projectFolder = folder;
    converter.addedQorFiles = {"top.txt"};
    EXPECT_FALSE(converter.CopyAddedFiles()) << folder;
    ExpectMessage("Could not copy '" + install.TemplateFolder() + "top.txt' to '" + folder +
                  "top.txt'.\nOperation aborted.");
    EXPECT_EQ(ReadFile(install.TemplateFolder() + "top.txt"), "top");
  }
}

// A linked folder inside the project is the project's; one that leads out of
// it is not written into, also not to make a folder there.
TEST_F(CopyAddedFilesTest, AFolderLeadingOutOfTheProjectStopsAndIsNotWritten) {
  test_support::TempDir outside;
  boost::filesystem::create_directories(project / "settings");
  boost::filesystem::create_directory_symlink("settings", project / "sub");
  converter.addedQorFiles = {"sub/deep/board.xml"};
  EXPECT_TRUE(converter.CopyAddedFiles());
  EXPECT_EQ(ReadFile(project / "settings/deep/board.xml"), "board");

  boost::filesystem::remove(project / "sub");
  boost::filesystem::create_directory_symlink(outside.Path(), project / "sub");
  EXPECT_FALSE(converter.CopyAddedFiles());
  ExpectMessage("The folder '" + project / "sub/deep" + "' leads outside the project folder '" +
                project.Path() + "/'.\nOperation aborted.");
  EXPECT_TRUE(boost::filesystem::is_empty(outside.Path()));
}

TEST_F(CopyAddedFilesTest, AFolderThatCannotBeCreatedStops) {
  WriteFile(project / "blocker", "a file, not a folder");
  converter.projectFolder = project / "blocker/";
  converter.addedQorFiles = {"sub/deep/board.xml"};

  EXPECT_FALSE(converter.CopyAddedFiles());
  ExpectMessage("Error while creating directory '" + project.Path() +
                "/blocker/sub/deep'.\nOperation aborted.");
}

}  // namespace
