#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <string>
#include <vector>

#include "main_dialog_fixture.h"

namespace {

using test_support::Exists;
using test_support::WriteFile;
using Strings = std::vector<std::string>;

const Strings kThreeRules = {"1|A|a", "2|B|b", "3|C|c"};

class MainDialogCommandsTest : public MainDialogTest {
 protected:
  void SetUp() override {
    MainDialogTest::SetUp();
    boost::filesystem::create_directories(install.userFolder);
    WriteRulesFile(rulesPath, {{"ia", "A", "a"}, {"ib", "B", "b"}, {"ic", "C", "c"}});
  }

  // Types the texts given into the rule editor's boxes, then saves.
  static void SaveInEditor(const std::string& from, const std::string& to) {
    OnRuleEditor([from, to](ui::Dialog& editor) {
      if (!from.empty()) editor.Edit(CEditSubstDlg::kFromId).UserType(from);
      if (!to.empty()) editor.Edit(CEditSubstDlg::kToId).UserType(to);
      editor.UserClick(ui::kIdOk);
    });
  }

  std::string rulesPath = install.UserFile("Varnock-Substitutions.xml");
};

TEST_F(MainDialogCommandsTest, AddAndCopyInsertWhereTheRuleBelongsAndSelectIt) {
  Run([&](CVarnockDlg& shown) {
    SaveInEditor("N", "n");
    shown.UserClick(Id::kAdd);
    EXPECT_EQ(Rows(shown), (Strings{"1|N|n", "2|A|a", "3|B|b", "4|C|c"}));
    EXPECT_EQ(dialog.selectedRule, 0);
    EXPECT_TRUE(shown.List(Id::kRuleList).HasFocus());
    EXPECT_TRUE(SelectionButtonsEnabled(shown));
    EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"N", "A", "B", "C"}));

    shown.List(Id::kRuleList).UserClick(1);
    SaveInEditor("", "a2");
    shown.UserClick(Id::kCopy);
    EXPECT_EQ(Rows(shown), (Strings{"1|N|n", "2|A|a", "3|A|a2", "4|B|b", "5|C|c"}));
    EXPECT_EQ(dialog.selectedRule, 2);
  });
}

TEST_F(MainDialogCommandsTest, EditAndDoubleClickChangeTheRuleInPlace) {
  Run([&](CVarnockDlg& shown) {
    ui::ListViewControl& list = shown.List(Id::kRuleList);
    list.UserClick(2);
    OnRuleEditor([](ui::Dialog& editor) {
      EXPECT_EQ(editor.GetCaption(), "Edit substitution rule");
      EXPECT_EQ(editor.Edit(CEditSubstDlg::kFromId).GetText(), "C");
      editor.Edit(CEditSubstDlg::kToId).UserType("c2");
      editor.UserClick(ui::kIdOk);
    });
    shown.UserClick(Id::kEdit);
    EXPECT_EQ(Rows(shown), (Strings{"1|A|a", "2|B|b", "3|C|c2"}));

    SaveInEditor("", "b2");
    list.UserDoubleClick(1);
    EXPECT_EQ(Rows(shown), (Strings{"1|A|a", "2|B|b2", "3|C|c2"}));
    EXPECT_EQ(dialog.selectedRule, 1);

    // Below the last row: no editor, no selection buttons, the index stays.
    list.UserDoubleClick(3);
    EXPECT_EQ(ShownCount(CEditSubstDlg::kTemplateId), 2);
    EXPECT_FALSE(SelectionButtonsEnabled(shown));
    EXPECT_EQ(dialog.selectedRule, 1);
  });
  EXPECT_EQ(dialog.rules.tos, (Strings{"a", "b2", "c2"}));
}

TEST_F(MainDialogCommandsTest, RemoveAsksFirstAndLeavesTheRuleBeforeSelected) {
  Run([&](CVarnockDlg& shown) {
    shown.List(Id::kRuleList).UserClick(1);
    ui::headless::AnswerNextMessageBox(ui::Answer::No);
    shown.UserClick(Id::kRemove);
    EXPECT_EQ(Rows(shown), kThreeRules);
    EXPECT_EQ(LastBox().caption, "Remove substitution rule");
    EXPECT_EQ(LastBox().text,
              "The substitution rule will be permanently deleted.\nAre you sure you want to "
              "remove it?");
    EXPECT_EQ(LastBox().buttons, ui::Buttons::YesNo);
    EXPECT_FALSE(LastBox().hasOwner);

    ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
    shown.UserClick(Id::kRemove);
    EXPECT_EQ(Rows(shown), (Strings{"1|A|a", "2|C|c"}));
    EXPECT_EQ(dialog.selectedRule, 0);
    EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"A", "C"}));

    ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
    shown.UserClick(Id::kRemove);
    EXPECT_EQ(Rows(shown), Strings{"1|C|c"});
    EXPECT_EQ(dialog.selectedRule, 0);
  });
  EXPECT_EQ(dialog.rules.inputs, Strings{"ic"});
}

TEST_F(MainDialogCommandsTest, MovesWriteTheRulesFileEvenWhenNothingMoved) {
  Run([&](CVarnockDlg& shown) {
    shown.List(Id::kRuleList).UserClick(0);
    boost::filesystem::remove(rulesPath);
    shown.UserClick(Id::kMoveUp);
    EXPECT_EQ(Rows(shown), kThreeRules);
    EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"A", "B", "C"}));

    shown.UserClick(Id::kMoveDown);
    EXPECT_EQ(Rows(shown), (Strings{"1|B|b", "2|A|a", "3|C|c"}));
    EXPECT_EQ(dialog.selectedRule, 1);
    EXPECT_EQ(shown.List(Id::kRuleList).LastEnsuredVisible(), 1);
    EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"B", "A", "C"}));

    shown.List(Id::kRuleList).UserClick(2);
    boost::filesystem::remove(rulesPath);
    shown.UserClick(Id::kMoveDown);
    EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"B", "A", "C"}));
    shown.UserClick(Id::kMoveUp);
    EXPECT_EQ(Rows(shown), (Strings{"1|B|b", "2|C|c", "3|A|a"}));
    EXPECT_EQ(dialog.selectedRule, 1);
  });
  EXPECT_EQ(dialog.rules.inputs, (Strings{"ib", "ic", "ia"}));
}

// The buttons are disabled then, but their commands must stay harmless when
// they arrive all the same.
TEST_F(MainDialogCommandsTest, WithoutRulesTheSelectionCommandsOnlyFocusTheList) {
  WriteRulesFile(rulesPath, {});
  Run([&](CVarnockDlg& shown) {
    EXPECT_FALSE(SelectionButtonsEnabled(shown));
    for (int id : {Id::kCopy, Id::kEdit, Id::kRemove, Id::kMoveUp, Id::kMoveDown}) {
      shown.Edit(Id::kRootEdit).SetFocus();
      ui::Notification clicked{ui::Event::ButtonClicked, id};
      shown.Dispatch(clicked);
      EXPECT_TRUE(shown.List(Id::kRuleList).HasFocus()) << "control " << id;
      EXPECT_FALSE(SelectionButtonsEnabled(shown));
    }
  });
  EXPECT_EQ(ShownCount(CEditSubstDlg::kTemplateId), 0);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_TRUE(dialog.rules.froms.empty());
}

TEST_F(MainDialogCommandsTest, ImportReplacesTheRulesButNotYetTheUsersFile) {
  std::string bad = install.temp / "bad.xml";
  std::string one = install.temp / "one.xml";
  WriteFile(bad, "<Other/>");
  WriteRulesFile(one, {{"ix", "X", "x"}});
  Run([&](CVarnockDlg& shown) {
    shown.List(Id::kRuleList).UserClick(2);
    shown.UserClick(Id::kImport);  // cancelled
    ui::headless::ChooseNextFile(bad);
    shown.UserClick(Id::kImport);
    EXPECT_EQ(Rows(shown), kThreeRules);
    EXPECT_EQ(LastBox().text,
              "The file " + bad + " is not a project converter configuration file.");

    ui::headless::ChooseNextFile(one);
    shown.UserClick(Id::kImport);
    EXPECT_EQ(Rows(shown), Strings{"1|X|x"});
    EXPECT_EQ(dialog.selectedRule, 0);  // was 2: past the end now
    EXPECT_TRUE(SelectionButtonsEnabled(shown));
    EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"A", "B", "C"}));

    OnRuleEditor(
        [](ui::Dialog& editor) { EXPECT_EQ(editor.Edit(CEditSubstDlg::kFromId).GetText(), "X"); });
    shown.UserClick(Id::kEdit);
    shown.UserClick(ui::kIdCancel);
  });
  EXPECT_EQ(ReadRuleFroms(rulesPath), Strings{"X"});
  const auto& requests = ui::headless::FileDialogs();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_FALSE(requests[0].save);
  EXPECT_EQ(requests[0].defaultExtension, "xml");
  EXPECT_EQ(requests[0].initialName, "MyVarnockConfig.xml");
  EXPECT_EQ(requests[0].filter, "Config Files (*.xml)|*.xml||");
}

TEST_F(MainDialogCommandsTest, ExportWritesTheRulesOrSaysItCouldNot) {
  std::string exported = install.temp / "exported.xml";
  std::string unwritable = install.temp / "missing/exported.xml";
  Run([&](CVarnockDlg& shown) {
    ui::headless::ChooseNextFile(exported);
    shown.UserClick(Id::kExport);
    ui::headless::ChooseNextFile(unwritable);
    shown.UserClick(Id::kExport);
    EXPECT_TRUE(shown.List(Id::kRuleList).HasFocus());
  });
  EXPECT_TRUE(ui::headless::FileDialogs().at(0).save);
  EXPECT_EQ(ReadRuleFroms(exported), (Strings{"A", "B", "C"}));
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(LastBox().caption, "Substitution rule export");
  EXPECT_EQ(LastBox().text, "Could not save the file '" + unwritable + "'.");
}

TEST_F(MainDialogCommandsTest, SelectionButtonsFollowFocusClicksAndKeys) {
  install.AddPlugin("extconvTestComplete");
  Run([&](CVarnockDlg& shown) {
    ui::ListViewControl& list = shown.List(Id::kRuleList);
    list.UserClick(1);
    EXPECT_TRUE(SelectionButtonsEnabled(shown));
    shown.Button(Id::kExecute).SetFocus();  // elsewhere: unchanged
    EXPECT_TRUE(SelectionButtonsEnabled(shown));

    list.UserClick(5);  // below the rows
    EXPECT_FALSE(SelectionButtonsEnabled(shown));
    EXPECT_EQ(dialog.selectedRule, 1);
    list.UserKeyDown(ui::Key::Down);
    EXPECT_TRUE(SelectionButtonsEnabled(shown));
    EXPECT_EQ(dialog.selectedRule, 2);

    auto disables = [&](const std::function<void()>& action, const char* what) {
      list.UserKeyDown(ui::Key::Other);
      ASSERT_TRUE(SelectionButtonsEnabled(shown)) << what;
      action();
      EXPECT_FALSE(SelectionButtonsEnabled(shown)) << what;
    };
    disables([&] { shown.Edit(Id::kRootEdit).SetFocus(); }, "root edit");
    disables([&] { shown.Edit(Id::kConverterExtensions).SetFocus(); }, "extensions edit");
    disables([&] { shown.Combo(Id::kConverterCombo).SetFocus(); }, "converter combo");
    disables([&] { shown.Combo(Id::kExtensionCombo).SetFocus(); }, "extension combo");
    disables([&] { shown.UserClick(Id::kBrowse); }, "browse");
    disables([&] { shown.UserClick(Id::kConverterHelp); }, "converter help");
    disables([&] { shown.UserClick(Id::kConverterEnable); }, "converter enable");
    disables([&] { shown.UserClick(Id::kSubstitutionEnable); }, "substitution enable");
  });
}

TEST_F(MainDialogCommandsTest, EnableBoxesSwitchTheirGroupsAndExecute) {
  install.AddPlugin("extconvTestComplete");
  const std::vector<int> converterGroup = {Id::kConverterExtensions, Id::kConverterCombo,
                                           Id::kProjectTypeLabel, Id::kFileExtensionsLabel,
                                           Id::kConverterHelp};
  const std::vector<int> substitutionGroup = {
      Id::kRuleList,        Id::kAdd,           Id::kImport, Id::kExport, Id::kRulesLabel,
      Id::kExtensionsLabel, Id::kExtensionCombo};
  Run([&](CVarnockDlg& shown) {
    auto expectGroup = [&](const std::vector<int>& group, bool enabled) {
      for (int id : group) EXPECT_EQ(shown.Item(id).IsEnabled(), enabled) << "control " << id;
    };
    shown.UserClick(Id::kConverterEnable);
    expectGroup(converterGroup, false);
    EXPECT_TRUE(shown.Item(Id::kExecute).IsEnabled());

    shown.UserClick(Id::kSubstitutionEnable);
    expectGroup(substitutionGroup, false);
    EXPECT_FALSE(shown.Item(Id::kExecute).IsEnabled());
    EXPECT_TRUE(shown.Item(Id::kSubstitutionHelp).IsEnabled());

    shown.UserClick(Id::kConverterEnable);
    expectGroup(converterGroup, true);
    EXPECT_TRUE(shown.Item(Id::kExecute).IsEnabled());
    shown.UserClick(Id::kConverterEnable);
    EXPECT_FALSE(shown.Item(Id::kExecute).IsEnabled());

    shown.UserClick(Id::kSubstitutionEnable);
    expectGroup(substitutionGroup, true);
    EXPECT_TRUE(shown.Item(Id::kExecute).IsEnabled());
    EXPECT_TRUE(shown.List(Id::kRuleList).HasFocus());
  });
}

TEST_F(MainDialogCommandsTest, ConverterChoiceAndHelpBoxes) {
  install.AddPlugin("extconvTestComplete");
  install.AddPlugin("extconvTestExtensionsFail");
  Run([&](CVarnockDlg& shown) {
    shown.Combo(Id::kConverterCombo).UserSelect(1);
    EXPECT_EQ(shown.Edit(Id::kConverterExtensions).GetText(), "Unable to get extensions");
    EXPECT_EQ(dialog.settings.externalConverter, "extconvTestExtensionsFail");
    shown.UserClick(Id::kConverterHelp);
    EXPECT_EQ(LastBox().caption, "extconvTestExtensionsFail");
    EXPECT_EQ(LastBox().text,
              "'extconvTestExtensionsFail' will convert all files with the '' extension.\n\n"
              "Converts test projects.");
    EXPECT_EQ(LastBox().icon, ui::Icon::Question);
    EXPECT_FALSE(LastBox().hasOwner);

    shown.Combo(Id::kConverterCombo).UserSelect(0);
    EXPECT_EQ(shown.Edit(Id::kConverterExtensions).GetText(), "*.tproj");
    shown.UserClick(Id::kSubstitutionHelp);
    EXPECT_EQ(LastBox().caption, "Source code substitution");
    EXPECT_EQ(LastBox().text,
              "The substitution rules will be applied on source files that match the "
              "extension(s). To add a new substitution rule use the 'Add' button. If you want to "
              "create a new rule based on an existing rule use the 'Copy' button. The rules will "
              "be applied in the order which they appear in the list (starting with 1).\n\nYou "
              "can export your substitution rules to a file for use on another computer.");
    EXPECT_EQ(LastBox().icon, ui::Icon::Question);
    EXPECT_TRUE(shown.List(Id::kRuleList).HasFocus());
  });
}

TEST_F(MainDialogCommandsTest, ATypedExtensionListIsOfferedOnce) {
  Run([&](CVarnockDlg& shown) {
    ui::ComboBoxControl& combo = shown.Combo(Id::kExtensionCombo);
    combo.UserType("*.q");
    combo.UserSelect(2);
    EXPECT_EQ(ComboItems(combo).size(), 4u);
    EXPECT_EQ(combo.GetItemText(3), "*.q");
    combo.UserType("*.q");
    combo.UserSelect(0);
    combo.UserType("*.txt");
    combo.UserSelect(0);
    EXPECT_EQ(ComboItems(combo).size(), 4u);
    combo.UserCloseUp();
    EXPECT_TRUE(shown.List(Id::kRuleList).HasFocus());
  });
}

TEST_F(MainDialogCommandsTest, BrowseTakesTheChosenFolderAndForgetsTheDestination) {
  Run([&](CVarnockDlg& shown) {
    ui::EditControl& root = shown.Edit(Id::kRootEdit);
    root.UserType("/start");
    dialog.destDir = "/remembered";
    ui::headless::ChooseNextFolder("/picked");
    shown.UserClick(Id::kBrowse);
    EXPECT_EQ(root.GetText(), "/picked");
    EXPECT_EQ(dialog.destDir, "");

    dialog.destDir = "/remembered";
    shown.UserClick(Id::kBrowse);  // cancelled
    EXPECT_EQ(root.GetText(), "/picked");
    EXPECT_EQ(dialog.destDir, "");

    root.UserType("");
    dialog.destDir = "/remembered";
    shown.UserClick(Id::kBrowse);
    EXPECT_EQ(dialog.destDir, "/remembered");
  });
  const auto& choosers = ui::headless::FolderChoosers();
  ASSERT_EQ(choosers.size(), 3u);
  EXPECT_EQ(choosers[0].title, "Choose directory");
  EXPECT_EQ(choosers[0].okText, "Choose");
  EXPECT_EQ(choosers[0].initialFolder, "/start");
  EXPECT_EQ(choosers[1].initialFolder, "/picked");
}

TEST_F(MainDialogCommandsTest, CloseButtonEscapeAndCloseBoxSaveSettingsAndRules) {
  const std::vector<std::function<void(CVarnockDlg&)>> ways = {
      [](CVarnockDlg& shown) { shown.UserClick(ui::kIdCancel); },
      [](CVarnockDlg& shown) { shown.UserPressEscape(); },
      [](CVarnockDlg& shown) { shown.UserCloseBox(); },
  };
  for (size_t way = 0; way < ways.size(); ++way) {
    boost::filesystem::remove(install.UserFile("Varnock.xml"));
    CVarnockDlg shown;
    ui::headless::OnNextModal(CVarnockDlg::kTemplateId, [&](ui::Dialog&) {
      WriteRulesFile(rulesPath, {});  // set-up has read the rules by now
      ways[way](shown);
    });
    EXPECT_EQ(shown.DoModal(), ui::kIdCancel);
    EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"A", "B", "C"})) << "way " << way;
    EXPECT_TRUE(Exists(install.UserFile("Varnock.xml"))) << "way " << way;
    WriteRulesFile(rulesPath, {{"ia", "A", "a"}, {"ib", "B", "b"}, {"ic", "C", "c"}});
  }
}

}  // namespace
