#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "edit_subst_dlg.h"
#include "fake_install.h"
#include "ui/headless.h"

namespace {

using test_support::Exists;
using Strings = std::vector<std::string>;

class RuleEditorTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    rules.inputs = {"ia", "x = b;\ny = b;", "ic"};
    rules.froms = {"A", "b", "C"};
    rules.tos = {"a", "B", "c"};
  }

  // Runs the editor on `rules` while `script` acts as the user; returns the
  // dialog's result.
  int Open(int index, EditorMode mode, const std::function<void(ui::Dialog&)>& script) {
    ui::headless::OnNextModal(CEditSubstDlg::kTemplateId, script);
    CEditSubstDlg editor(&rules, rulesPath, index, mode);
    int result = editor.DoModal();
    saved = editor.saved;
    return result;
  }

  static ui::EditControl& Box(ui::Dialog& editor, int id) { return editor.Edit(id); }
  static bool SaveEnabled(ui::Dialog& editor) { return editor.Item(ui::kIdOk).IsEnabled(); }
  static const ui::headless::MessageBoxRecord& LastBox() {
    return ui::headless::MessageBoxes().back();
  }

  ConfigFile rules;
  test_support::TempDir temp;
  std::string rulesPath = temp / "rules.xml";
  bool saved = false;
};

TEST_F(RuleEditorTest, TitleAndBoxesFollowTheMode) {
  Open(0, EditorMode::kNewRule, [](ui::Dialog& editor) {
    EXPECT_EQ(editor.GetCaption(), "New substitution rule");
    EXPECT_EQ(Box(editor, CEditSubstDlg::kFromId).GetText(), "");
    EXPECT_EQ(Box(editor, CEditSubstDlg::kToId).GetText(), "");
    EXPECT_EQ(Box(editor, CEditSubstDlg::kInputId).GetText(), "<Code example>");
    EXPECT_FALSE(SaveEnabled(editor));
    editor.UserClick(CEditSubstDlg::kHelpId);
  });
  EXPECT_EQ(LastBox().caption, "Substitution rule");
  EXPECT_EQ(LastBox().icon, ui::Icon::Question);
  EXPECT_EQ(LastBox().text.substr(0, 38), "All substitutions are case sensitive a");

  // The example is shown with CR LF, the preview runs at once.
  Open(1, EditorMode::kEditRule, [](ui::Dialog& editor) {
    EXPECT_EQ(editor.GetCaption(), "Edit substitution rule");
    EXPECT_EQ(Box(editor, CEditSubstDlg::kFromId).GetText(), "b");
    EXPECT_EQ(Box(editor, CEditSubstDlg::kInputId).GetText(), "x = b;\r\ny = b;");
    EXPECT_EQ(Box(editor, CEditSubstDlg::kOutputId).GetText(), "x = B;\r\ny = B;");
    EXPECT_FALSE(SaveEnabled(editor));
  });
  Open(1, EditorMode::kCopyRule, [](ui::Dialog& editor) {
    EXPECT_EQ(editor.GetCaption(), "Copy substitution rule");
    EXPECT_FALSE(SaveEnabled(editor));
  });
  EXPECT_FALSE(Exists(rulesPath));
}

TEST_F(RuleEditorTest, SaveWaitsForAChangeThatGivesARule) {
  Open(0, EditorMode::kNewRule, [](ui::Dialog& editor) {
    Box(editor, CEditSubstDlg::kFromId).UserType("x");
    EXPECT_TRUE(SaveEnabled(editor));
    Box(editor, CEditSubstDlg::kFromId).UserType("");
    EXPECT_FALSE(SaveEnabled(editor));
    Box(editor, CEditSubstDlg::kInputId).UserType("only the example");
    EXPECT_TRUE(SaveEnabled(editor));
  });
}

TEST_F(RuleEditorTest, PreviewKeepsLinesApartAndTheExampleIsStoredWithLineFeeds) {
  EXPECT_EQ(Open(0, EditorMode::kNewRule,
                 [](ui::Dialog& editor) {
                   Box(editor, CEditSubstDlg::kInputId).UserType("int a;\r\nint b;");
                   Box(editor, CEditSubstDlg::kFromId).UserType("int (\\w)");
                   Box(editor, CEditSubstDlg::kToId).UserType("long $1");
                   EXPECT_EQ(Box(editor, CEditSubstDlg::kOutputId).GetText(), "long a;\r\nlong b;");
                   // "." stops at the end of a line.
                   Box(editor, CEditSubstDlg::kFromId).UserType("int.*");
                   Box(editor, CEditSubstDlg::kToId).UserType("X");
                   EXPECT_EQ(Box(editor, CEditSubstDlg::kOutputId).GetText(), "X\r\nX");
                   editor.UserPressEnter();
                 }),
            ui::kIdOk);
  EXPECT_EQ(rules.inputs.front(), "int a;\nint b;");
  ConfigFile written;
  ASSERT_TRUE(written.ReadRules(rulesPath));
  EXPECT_EQ(written.inputs.front(), "int a;\nint b;");
  EXPECT_EQ(written.froms, (Strings{"int.*", "A", "b", "C"}));
}

// The library never returns from compiling a comment group behind a
// possessive repeat; the preview and the check on Save compile the
// expression without it and store it as typed.
TEST_F(RuleEditorTest, ACommentBehindAPossessiveRepeatIsPreviewedAndStoredAsTyped) {
  EXPECT_EQ(Open(1, EditorMode::kEditRule,
                 [](ui::Dialog& editor) {
                   Box(editor, CEditSubstDlg::kInputId).UserType("aab ab b");
                   Box(editor, CEditSubstDlg::kFromId).UserType("a*+(?#c)b");
                   EXPECT_EQ(Box(editor, CEditSubstDlg::kOutputId).GetText(), "B B B");
                   editor.UserClick(ui::kIdOk);
                 }),
            ui::kIdOk);
  EXPECT_TRUE(ui::headless::MessageBoxes().empty());
  EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"A", "a*+(?#c)b", "C"}));
}

TEST_F(RuleEditorTest, AnInvalidRuleIsOnlySavedWhenTheUserInsists) {
  auto typeInvalidRuleAndSave = [](ui::Dialog& editor) {
    Box(editor, CEditSubstDlg::kFromId).UserType("(b");
    EXPECT_EQ(Box(editor, CEditSubstDlg::kOutputId).GetText(), "");
    editor.UserClick(ui::kIdOk);
  };
  ui::headless::AnswerNextMessageBox(ui::Answer::No);
  EXPECT_EQ(Open(1, EditorMode::kEditRule, typeInvalidRuleAndSave),
            ui::kIdCancel);  // still open after No
  EXPECT_FALSE(saved);
  EXPECT_EQ(rules.froms, (Strings{"A", "b", "C"}));
  EXPECT_EQ(LastBox().caption, "Invalid substitution rule");
  EXPECT_EQ(LastBox().text,
            "The syntax of your substitution rule is not correct and the rule cannot be "
            "used.\nDo you want to save the rule anyway?");
  EXPECT_EQ(LastBox().buttons, ui::Buttons::YesNo);

  ui::headless::AnswerNextMessageBox(ui::Answer::Yes);
  EXPECT_EQ(Open(1, EditorMode::kEditRule, typeInvalidRuleAndSave), ui::kIdOk);
  EXPECT_TRUE(saved);
  EXPECT_EQ(rules.froms, (Strings{"A", "(b", "C"}));
  EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"A", "(b", "C"}));
}

TEST_F(RuleEditorTest, ACopyGoesRightAfterItsOriginalEvenWhenIdentical) {
  Open(2, EditorMode::kCopyRule, [](ui::Dialog& editor) {
    Box(editor, CEditSubstDlg::kToId).UserType("changed");
    Box(editor, CEditSubstDlg::kToId).UserType("c");
    editor.UserClick(ui::kIdOk);
  });
  EXPECT_TRUE(saved);
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(LastBox().caption, "Copy substitution rule");
  EXPECT_EQ(LastBox().text, "The new substitution rule is identical to the original rule.");
  EXPECT_EQ(rules.froms, (Strings{"A", "b", "C", "C"}));
  EXPECT_EQ(rules.inputs, (Strings{"ia", "x = b;\ny = b;", "ic", "ic"}));

  Open(0, EditorMode::kCopyRule, [](ui::Dialog& editor) {
    Box(editor, CEditSubstDlg::kToId).UserType("a2");
    editor.UserClick(ui::kIdOk);
  });
  EXPECT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(rules.tos, (Strings{"a", "a2", "B", "c", "c"}));
  EXPECT_EQ(ReadRuleFroms(rulesPath).size(), 5u);
}

TEST_F(RuleEditorTest, ATextChangedAndChangedBackStillCountsAsAChange) {
  Open(1, EditorMode::kEditRule, [](ui::Dialog& editor) {
    Box(editor, CEditSubstDlg::kFromId).UserType("Z");
    Box(editor, CEditSubstDlg::kFromId).UserType("b");
    editor.UserClick(ui::kIdOk);
  });
  EXPECT_TRUE(saved);
  EXPECT_EQ(ReadRuleFroms(rulesPath), (Strings{"A", "b", "C"}));
}

TEST_F(RuleEditorTest, CancelStoresNothing) {
  EXPECT_EQ(Open(0, EditorMode::kEditRule,
                 [](ui::Dialog& editor) {
                   Box(editor, CEditSubstDlg::kFromId).UserType("Q");
                   editor.UserPressEscape();
                 }),
            ui::kIdCancel);
  EXPECT_FALSE(saved);
  EXPECT_EQ(rules.froms, (Strings{"A", "b", "C"}));
  EXPECT_FALSE(Exists(rulesPath));
}

TEST_F(RuleEditorTest, AFailedWriteIsReportedAndTheRuleStaysInMemory) {
  rulesPath = temp / "missing/rules.xml";
  EXPECT_EQ(Open(0, EditorMode::kEditRule,
                 [](ui::Dialog& editor) {
                   Box(editor, CEditSubstDlg::kToId).UserType("q");
                   editor.UserClick(ui::kIdOk);
                 }),
            ui::kIdOk);
  EXPECT_TRUE(saved);
  EXPECT_EQ(rules.tos.front(), "q");
  EXPECT_EQ(LastBox().caption, "Saving substitution rules");
  EXPECT_EQ(LastBox().text, "Could not save the file '" + rulesPath + "'.");
}

TEST(NormalizeLineEndsTest, OnlyCrLfPairsBecomeLineFeeds) {
  EXPECT_EQ(CEditSubstDlg::NormalizeLineEnds("a\r\nb\rc\n\r\r\n"), "a\nb\rc\n\r\n");
}

}  // namespace
