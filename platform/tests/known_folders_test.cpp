#include "platform/known_folders.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "test_support/environment_override.h"
#include "test_support/files.h"
#include "test_support/temp_dir.h"

namespace {

using platform::GetKnownFolder;
using platform::KnownFolder;
using test_support::EnvironmentOverride;

std::optional<std::string> Folder(KnownFolder folder) {
  std::string path = "untouched";
  if (!GetKnownFolder(folder, path)) {
    EXPECT_EQ(path, "untouched");
    return std::nullopt;
  }
  return path;
}

TEST(RoamingFolder, ConfigHomeWhenAbsoluteElseConfigBelowHome) {
  EnvironmentOverride home("HOME", "/home/user");
  {
    EnvironmentOverride config("XDG_CONFIG_HOME", "/etc/user-config//");
    EXPECT_EQ(Folder(KnownFolder::Roaming), "/etc/user-config");
  }
  {
    EnvironmentOverride config("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(Folder(KnownFolder::Roaming), "/home/user/.config");
  }
  {
    EnvironmentOverride config("XDG_CONFIG_HOME", "");
    EXPECT_EQ(Folder(KnownFolder::Roaming), "/home/user/.config");
  }
  EnvironmentOverride config("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(Folder(KnownFolder::Roaming), "/home/user/.config");
}

TEST(RoamingFolder, HomeSpellingsGiveOneSlash) {
  EnvironmentOverride config("XDG_CONFIG_HOME", std::nullopt);
  {
    EnvironmentOverride home("HOME", "/home/user/");
    EXPECT_EQ(Folder(KnownFolder::Roaming), "/home/user/.config");
  }
  EnvironmentOverride home("HOME", "/");
  EXPECT_EQ(Folder(KnownFolder::Roaming), "/.config");
}

TEST(RoamingFolder, NotAvailableWithoutHome) {
  EnvironmentOverride config("XDG_CONFIG_HOME", std::nullopt);
  {
    EnvironmentOverride home("HOME", std::nullopt);
    EXPECT_EQ(Folder(KnownFolder::Roaming), std::nullopt);
  }
  EnvironmentOverride home("HOME", "");
  EXPECT_EQ(Folder(KnownFolder::Roaming), std::nullopt);
}

class DocumentsFolderTest : public testing::Test {
 protected:
  void WriteUserDirs(const std::string& documentsLine) {
    test_support::WriteFile(config_ / "user-dirs.dirs",
                            "# written by the desktop\n"
                            "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n" +
                                documentsLine + "\nXDG_MUSIC_DIR=\"$HOME/Music\"\n");
  }

  test_support::TempDir config_;
  EnvironmentOverride configHome_{"XDG_CONFIG_HOME", config_.Path()};
  EnvironmentOverride home_{"HOME", "/home/user"};
};

TEST_F(DocumentsFolderTest, DocumentsBelowHomeWithoutUserDirs) {
  EXPECT_EQ(Folder(KnownFolder::Documents), "/home/user/Documents");
  EnvironmentOverride home("HOME", "/home/other/");
  EXPECT_EQ(Folder(KnownFolder::Documents), "/home/other/Documents");
}

TEST_F(DocumentsFolderTest, UserDirsRelativeToHome) {
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"");
  EXPECT_EQ(Folder(KnownFolder::Documents), "/home/user/Docs");
  EnvironmentOverride home("HOME", "/home/user/");
  EXPECT_EQ(Folder(KnownFolder::Documents), "/home/user/Docs");
}

TEST_F(DocumentsFolderTest, UserDirsHomeItself) {
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/\"");
  EXPECT_EQ(Folder(KnownFolder::Documents), "/home/user");
}

TEST_F(DocumentsFolderTest, UserDirsAbsolutePathWithTrailingSlash) {
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"/data/papers/\"");
  EXPECT_EQ(Folder(KnownFolder::Documents), "/data/papers");
  // An absolute folder needs no HOME.
  EnvironmentOverride home("HOME", std::nullopt);
  EXPECT_EQ(Folder(KnownFolder::Documents), "/data/papers");
}

TEST_F(DocumentsFolderTest, UnusableUserDirsValueFallsBackToHome) {
  for (const char* line : {"XDG_DOCUMENTS_DIR=\"Docs\"", "XDG_DOCUMENTS_DIR=\"\"",
                           "XDG_DOCUMENTS_DIR=\"$HOMEWORK/Docs\""}) {
    WriteUserDirs(line);
    EXPECT_EQ(Folder(KnownFolder::Documents), "/home/user/Documents") << line;
  }
}

TEST_F(DocumentsFolderTest, NotAvailableWithoutHomeUnlessUserDirsIsAbsolute) {
  EnvironmentOverride home("HOME", std::nullopt);
  EXPECT_EQ(Folder(KnownFolder::Documents), std::nullopt);
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"");
  EXPECT_EQ(Folder(KnownFolder::Documents), std::nullopt);
}

}  // namespace
