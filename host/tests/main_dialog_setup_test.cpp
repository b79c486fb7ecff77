#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>
#include <vector>

#include "main_dialog_fixture.h"

namespace {

using test_support::EnvironmentOverride;
using test_support::Exists;
using test_support::ReadFile;
using test_support::WriteFile;
using Strings = std::vector<std::string>;

class MainDialogSetupTest : public MainDialogTest {
 protected:
  static void WriteSettings(IniFile& settings, const std::string& path) {
    boost::filesystem::create_directories(boost::filesystem::path(path).parent_path());
    ASSERT_TRUE(settings.WriteSettings(path));
  }
  IniFile SavedSettings() {
    IniFile saved;
    saved.ReadSettings(install.UserFile("Varnock.xml"));
    return saved;
  }
  std::string SettingsPath() const { return install.UserFile("Varnock.xml"); }
};

TEST_F(MainDialogSetupTest, FoldersFollowFromTheProgramsPlace) {
  Run();
  EXPECT_EQ(dialog.programFolder, install.bin + "/");
  EXPECT_EQ(dialog.installRoot, install.root + "/");
  EXPECT_EQ(dialog.installName, "Conv");
  EXPECT_EQ(dialog.templateFolder, install.templates + "/");
  EXPECT_EQ(dialog.userFolder, install.userFolder + "/");
  EXPECT_EQ(dialog.documentsFolder, install.documents + "/Qor Morwick");
  EXPECT_EQ(dialog.rulesUserPath, install.UserFile("Varnock-Substitutions.xml"));
  EXPECT_EQ(dialog.settingsPath, SettingsPath());
  EXPECT_TRUE(boost::filesystem::is_directory(install.userFolder));
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(MainDialogSetupTest, UserCopiesAreMadeOnceAndNeverOverwritten) {
  install.AddPlugin("extconvTestComplete");
  Run();
  EXPECT_EQ(ReadFile(install.UserFile("extconvTestComplete.xml")), "<extConv/>");
  EXPECT_EQ(ReadRuleFroms(install.UserFile("Varnock-Substitutions.xml")), Strings{"foo"});

  WriteFile(install.templates + "/extconvTestComplete.xml", "<extConv>changed</extConv>");
  WriteRulesFile(install.templates + "/Varnock-Substitutions.xml", {{"", "changed", ""}});
  WriteRulesFile(install.UserFile("Varnock-Substitutions.xml"), {{"", "mine", "m"}});
  CVarnockDlg second;
  Run(second, [](CVarnockDlg& shown) { EXPECT_EQ(Rows(shown), Strings{"1|mine|m"}); });
  EXPECT_EQ(ReadFile(install.UserFile("extconvTestComplete.xml")), "<extConv/>");
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(MainDialogSetupTest, TheUsersCopiesAreTheirsToSaveAndKeepAnyRootName) {
  namespace fs = boost::filesystem;
  install.AddPlugin("extconvTestComplete");
  for (const char* name : {"/extconvTestComplete.xml", "/Varnock-Substitutions.xml"}) {
    fs::permissions(install.templates + name, fs::perms(0444));
  }
  const std::string root = install.temp / "caf\xE9";  // named in Latin-1
  Run([&](CVarnockDlg& shown) {
    shown.Edit(Id::kRootEdit).UserType(root);
    shown.UserPressEscape();
  });
  for (const char* name : {"extconvTestComplete.xml", "Varnock-Substitutions.xml"}) {
    EXPECT_EQ(fs::status(install.UserFile(name)).permissions() & fs::all_all, fs::perms(0644))
        << name;
  }
  CVarnockDlg second;
  Run(second, [&](CVarnockDlg& shown) { EXPECT_EQ(shown.Edit(Id::kRootEdit).GetText(), root); });
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
}

TEST_F(MainDialogSetupTest, PluginsAreListedInDiscoveryOrderAndUnboundOnesAreReported) {
  install.AddPlugin("extconvTestComplete");
  install.AddPlugin("extconvTestNameFails");
  install.AddPlugin("extconvTestNoConvert");
  install.AddPlugin("extconvTestComplete", "more");
  install.AddPlugin("extconvTestAppend", "more/deeper");
  WriteFile(install.bin + "/extconvBroken.so", "not a library");
  Run([](CVarnockDlg& shown) {
    EXPECT_EQ(ComboItems(shown.Combo(Id::kConverterCombo)),
              (Strings{"extconvTestComplete", "", "extconvTestComplete", "extconvTestAppend"}));
    // No saved name yet: the empty name of the plug-in whose GetName fails matches it.
    EXPECT_EQ(shown.Combo(Id::kConverterCombo).GetCurSel(), 1);
    EXPECT_EQ(shown.Edit(Id::kConverterExtensions).GetText(), "*.tproj");
  });

  const auto& boxes = ui::headless::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Couldn't load dll '" + install.bin + "/extconvBroken.so");
  EXPECT_EQ(boxes[1].text, "Couldn't load dll '" + install.bin + "/extconvTestNoConvert.so");
  for (const auto& box : boxes) {
    EXPECT_EQ(box.caption, "Initializing application");
    EXPECT_EQ(box.owner, "Varnock");
  }
  // Libraries of one name in two folders share one initialization file.
  ASSERT_EQ(dialog.converters.size(), 4u);
  EXPECT_EQ(dialog.converters[0].initFilePath, install.UserFile("extconvTestComplete.xml"));
  EXPECT_EQ(dialog.converters[2].initFilePath, install.UserFile("extconvTestComplete.xml"));
  EXPECT_EQ(dialog.converters[3].initFilePath, install.UserFile("extconvTestAppend.xml"));
  EXPECT_TRUE(Exists(install.UserFile("extconvTestAppend.xml")));
}

TEST_F(MainDialogSetupTest, WithoutPluginsProjectConversionIsOffAndSavedSo) {
  Run([](CVarnockDlg& shown) {
    EXPECT_EQ(ComboItems(shown.Combo(Id::kConverterCombo)), Strings{"No project converter found"});
    EXPECT_EQ(shown.Combo(Id::kConverterCombo).GetCurSel(), 0);
    EXPECT_EQ(shown.Button(Id::kConverterEnable).GetCheck(), ui::ButtonControl::kUnchecked);
    for (int id : {Id::kConverterEnable, Id::kConverterExtensions, Id::kConverterCombo,
                   Id::kProjectTypeLabel, Id::kFileExtensionsLabel, Id::kConverterHelp}) {
      EXPECT_FALSE(shown.Item(id).IsEnabled()) << "control " << id;
    }
    EXPECT_EQ(shown.Edit(Id::kConverterExtensions).GetText(), "");
    EXPECT_TRUE(shown.Item(Id::kExecute).IsEnabled());
    shown.UserPressEscape();
  });
  EXPECT_EQ(SavedSettings().useExtConverter, "false");
  EXPECT_EQ(SavedSettings().externalConverter, "");
}

TEST_F(MainDialogSetupTest, WithoutASettingsFileTheDefaultsHold) {
  install.AddPlugin("extconvTestComplete");
  Run([](CVarnockDlg& shown) {
    EXPECT_EQ(shown.Edit(Id::kRootEdit).GetText(), "");
    EXPECT_EQ(shown.Button(Id::kConverterEnable).GetCheck(), ui::ButtonControl::kChecked);
    EXPECT_EQ(shown.Button(Id::kSubstitutionEnable).GetCheck(), ui::ButtonControl::kChecked);
    EXPECT_EQ(ComboItems(shown.Combo(Id::kExtensionCombo)),
              (Strings{"*.c;*.cpp;*.h;*.hpp;*.asm;*.s", "*.c;*.cpp;*.h;*.hpp", "*.txt"}));
    EXPECT_EQ(shown.Combo(Id::kExtensionCombo).GetText(), "*.c;*.cpp;*.h;*.hpp;*.asm;*.s");
    EXPECT_TRUE(shown.Item(Id::kExecute).IsEnabled());
  });
  EXPECT_TRUE(dialog.makeBackups);
  EXPECT_FALSE(Exists(SettingsPath()));
}

TEST_F(MainDialogSetupTest, SettingsReachTheControls) {
  install.AddPlugin("extconvTestExtensionsFail");
  install.AddPlugin("extconvTestAppend", "sub");
  IniFile settings;
  settings.browsedDirectory = "/some/project";
  settings.externalConverter = "extconvTestAppend";
  settings.makeBackups = "True";  // only "true" counts
  settings.useRegExpConverter = "TRUE";
  settings.regexpExtentions = {"*.a", "*.b"};
  WriteSettings(settings, SettingsPath());
  Run([](CVarnockDlg& shown) {
    EXPECT_EQ(shown.Edit(Id::kRootEdit).GetText(), "/some/project");
    EXPECT_EQ(shown.Combo(Id::kConverterCombo).GetCurSel(), 1);
    EXPECT_EQ(shown.Edit(Id::kConverterExtensions).GetText(), "*.tproj");
    EXPECT_EQ(shown.Button(Id::kConverterEnable).GetCheck(), ui::ButtonControl::kChecked);
    EXPECT_EQ(shown.Button(Id::kSubstitutionEnable).GetCheck(), ui::ButtonControl::kUnchecked);
    for (int id : {Id::kRuleList, Id::kAdd, Id::kImport, Id::kExport, Id::kRulesLabel,
                   Id::kExtensionsLabel, Id::kExtensionCombo}) {
      EXPECT_FALSE(shown.Item(id).IsEnabled()) << "control " << id;
    }
    EXPECT_TRUE(shown.Item(Id::kExecute).IsEnabled());
    EXPECT_EQ(ComboItems(shown.Combo(Id::kExtensionCombo)), (Strings{"*.a", "*.b"}));
    EXPECT_EQ(shown.Combo(Id::kExtensionCombo).GetText(), "*.a");
  });
  EXPECT_FALSE(dialog.makeBackups);

  // A saved name that no plug-in has selects the first; closing saves its name.
  settings.externalConverter = "gone";
  settings.regexpExtentions.clear();
  WriteSettings(settings, SettingsPath());
  CVarnockDlg second;
  Run(second, [](CVarnockDlg& shown) {
    EXPECT_EQ(shown.Combo(Id::kConverterCombo).GetCurSel(), 0);
    EXPECT_EQ(shown.Edit(Id::kConverterExtensions).GetText(), "");
    EXPECT_EQ(shown.Combo(Id::kExtensionCombo).GetCount(), 0);
    EXPECT_EQ(shown.Combo(Id::kExtensionCombo).GetText(), "");
    shown.UserPressEscape();
  });
  EXPECT_EQ(SavedSettings().externalConverter, "extconvTestExtensionsFail");
}

TEST_F(MainDialogSetupTest, SavedExtensionListsStandMostRecentFirst) {
  IniFile settings;
  settings.regexpExtentions = {"A", "B", "C"};
  WriteSettings(settings, SettingsPath());
  Run([](CVarnockDlg& shown) {
    shown.Combo(Id::kExtensionCombo).UserType("*.x");
    shown.UserClick(ui::kIdCancel);
  });
  EXPECT_EQ(SavedSettings().regexpExtentions, (Strings{"*.x", "A", "B", "C"}));

  WriteSettings(settings, SettingsPath());
  CVarnockDlg second;
  Run(second, [](CVarnockDlg& shown) {
    shown.Combo(Id::kExtensionCombo).UserSelect(1);
    shown.UserClick(ui::kIdCancel);
  });
  EXPECT_EQ(SavedSettings().regexpExtentions, (Strings{"B", "A", "C"}));
}

// A test-mode run that ends early leaves the main dialog up; what it was set
// up from shows then.
TEST_F(MainDialogSetupTest, TestModeTakesTheInstalledFilesAndTheGivenSettings) {
  install.AddPlugin("extconvTestComplete");
  boost::filesystem::create_directories(install.userFolder);
  WriteRulesFile(install.UserFile("Varnock-Substitutions.xml"), {{"", "mine", "m"}});
  WriteFile(install.UserFile("extconvTestComplete.xml"), "<extConv>mine</extConv>");
  IniFile settings;
  settings.regexpExtentions = {"*.given"};
  std::string iniFile = install.temp / "given.xml";
  WriteSettings(settings, iniFile);
  std::string iniBytes = ReadFile(iniFile);

  dialog.testMode = true;
  dialog.iniFile = iniFile;
  dialog.srcDir = install.temp / "no-such-project";
  dialog.dstDir = install.temp / "destination";
  Run([&](CVarnockDlg& shown) {
    EXPECT_EQ(shown.Edit(Id::kRootEdit).GetText(), dialog.srcDir);
    EXPECT_EQ(Rows(shown), Strings{"1|foo|bar"});
    EXPECT_EQ(shown.Combo(Id::kExtensionCombo).GetText(), "*.given");
    shown.UserPressEscape();
  });
  EXPECT_EQ(dialog.converters.at(0).initFilePath, install.templates + "/extconvTestComplete.xml");
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(LastBox().text, "The directory '" + dialog.srcDir + "' doesn't exist.");
  // Closing saves no settings anywhere, but the rules in memory go to the user's file.
  EXPECT_FALSE(Exists(SettingsPath()));
  EXPECT_EQ(ReadFile(iniFile), iniBytes);
  EXPECT_EQ(ReadRuleFroms(install.UserFile("Varnock-Substitutions.xml")), Strings{"foo"});
  EXPECT_FALSE(Exists(dialog.dstDir));
}

// The dialog ends before it is shown, and the program with exit code 1.
TEST_F(MainDialogSetupTest, SetUpEndsTheProgramWhenTheUsersFilesCannotBeHad) {
  auto expectSetUpToFail = [](const std::string& message) {
    ui::headless::Reset();
    CVarnockDlg failing;
    EXPECT_EQ(failing.DoModal(), ui::kIdCancel);
    EXPECT_EQ(failing.ExitCode(), 1);
    ASSERT_FALSE(ui::headless::MessageBoxes().empty());
    EXPECT_NE(LastBox().text.find(message), std::string::npos) << LastBox().text;
  };
  {
    EnvironmentOverride noHome("HOME", std::nullopt);
    expectSetUpToFail("Could not find user Document directory");
  }
  {
    WriteFile(install.temp / "a-file", "");
    EnvironmentOverride config("XDG_CONFIG_HOME", install.temp / "a-file");
    expectSetUpToFail("Could not create Roaming directory " + install.temp / "a-file" +
                      "/Qor Morwick/Conv\nOperation aborted.");
  }
  boost::filesystem::remove(install.templates + "/Varnock-Substitutions.xml");
  expectSetUpToFail("is not a project converter configuration file");
  EXPECT_EQ(ui::headless::MessageBoxes().front().text.substr(0, 14), "Couldn't copy ");
}

}  // namespace
