#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/headless.h"

namespace {

using ui::ControlKind;
using ui::Event;
using ui::Notification;

constexpr int kEdit = 10;
constexpr int kCheck = 11;
constexpr int kRadioA = 12;
constexpr int kRadioB = 13;
constexpr int kRadioC = 14;
constexpr int kButton = 15;
constexpr int kDefault = 16;
constexpr int kCombo = 17;
constexpr int kList = 18;
constexpr int kProgress = 19;
constexpr int kNotes = 20;

ui::DialogTemplate SampleTemplate() {
  using namespace ui::style;
  return {500,
          "Sample",
          200,
          100,
          0,
          {{kCheck, ControlKind::CheckBox, "Check", {0, 0, 10, 10}, kTabStop},
           {kEdit, ControlKind::Edit, "", {0, 20, 50, 10}, kTabStop | kBorder},
           {kRadioA, ControlKind::RadioButton, "A", {0, 30, 10, 10}, kGroup},
           {kRadioB, ControlKind::RadioButton, "B", {0, 40, 10, 10}, 0},
           {kRadioC, ControlKind::RadioButton, "C", {0, 50, 10, 10}, kGroup},
           {kButton, ControlKind::PushButton, "Push", {60, 0, 40, 14}, kTabStop},
           {kDefault, ControlKind::PushButton, "Go", {60, 20, 40, 14}, kTabStop | kDefaultButton},
           {kCombo, ControlKind::ComboBox, "", {60, 40, 40, 50}, kTabStop | kDropDown},
           {kList, ControlKind::ListView, "", {100, 0, 90, 80}, kTabStop},
           {kProgress, ControlKind::ProgressBar, "", {0, 80, 90, 10}, 0},
           {kNotes, ControlKind::Edit, "", {100, 80, 90, 10}, kMultiLine | kWantReturn}}};
}

// Records every notification it receives, in order, as "event:id:item".
class RecordingDialog : public ui::Dialog {
 public:
  RecordingDialog() : Dialog(SampleTemplate()) {}
  std::vector<std::string> log;
  std::string textSeenOnSelChange;
  bool okCalled = false;
  bool cancelCalled = false;

 protected:
  const ui::MessageMap& GetMessageMap() const override {
    static const ui::MessageMap map = {
        ui::On(Event::ButtonClicked, kButton, &RecordingDialog::First),
        ui::On(Event::ButtonClicked, kButton, &RecordingDialog::Second),
        ui::On(Event::ButtonClicked, kDefault, &RecordingDialog::Record),
        ui::On(Event::ButtonClicked, kCheck, &RecordingDialog::Record),
        ui::On(Event::ButtonClicked, kRadioA, &RecordingDialog::Record),
        ui::On(Event::EditChanged, kEdit, &RecordingDialog::Record),
        ui::On(Event::EditSetFocus, kEdit, &RecordingDialog::Record),
        ui::On(Event::EditChanged, kNotes, &RecordingDialog::Record),
        ui::On(Event::ComboSelChange, kCombo, &RecordingDialog::SelChange),
        ui::On(Event::ComboCloseUp, kCombo, &RecordingDialog::Record),
        ui::On(Event::ComboSetFocus, kCombo, &RecordingDialog::Record),
        ui::On(Event::ListSetFocus, kList, &RecordingDialog::Record),
        ui::On(Event::ListItemChanged, kList, &RecordingDialog::ItemChanged),
        ui::On(Event::ListClick, kList, &RecordingDialog::Record),
        ui::On(Event::ListDoubleClick, kList, &RecordingDialog::Record),
        ui::On(Event::ListKeyDown, kList, &RecordingDialog::Record),
        ui::On(Event::Size, 0, &RecordingDialog::Record),
    };
    return map;
  }
  void OnOK() override {
    okCalled = true;
    Dialog::OnOK();
  }
  void OnCancel() override {
    cancelCalled = true;
    Dialog::OnCancel();
  }

 private:
  void First() { log.push_back("first"); }
  void Second() { log.push_back("second"); }
  void Record(Notification& n) {
    log.push_back(std::to_string(static_cast<int>(n.event)) + ":" + std::to_string(n.controlId) +
                  ":" + std::to_string(n.item));
  }
  void SelChange(Notification& n) {
    textSeenOnSelChange = Combo(kCombo).GetText();
    Record(n);
  }
  void ItemChanged(Notification& n) {
    log.push_back("changed:" + std::to_string(n.item) + ":" + std::to_string(n.oldState) + "->" +
                  std::to_string(n.newState));
  }
};

std::string Tag(Event event, int id, int item = -1) {
  return std::to_string(static_cast<int>(event)) + ":" + std::to_string(id) + ":" +
         std::to_string(item);
}

class DialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::headless::Reset();
    dialog.Create(nullptr);
    dialog.log.clear();
  }
  RecordingDialog dialog;
};

TEST_F(DialogTest, MessageMapTakesTheFirstMatchingEntryInDeclaredOrder) {
  ASSERT_TRUE(dialog.UserClick(kButton));
  EXPECT_EQ(dialog.log, std::vector<std::string>{"first"});
}

TEST_F(DialogTest, StandardButtonsWithoutEntriesReachOkAndCancel) {
  dialog.UserPressEscape();
  EXPECT_TRUE(dialog.cancelCalled);
  dialog.UserCloseBox();
  EXPECT_FALSE(dialog.okCalled);
}

TEST_F(DialogTest, EnterClicksTheDefaultButtonUnlessAPushButtonHasTheFocus) {
  dialog.Edit(kEdit).SetFocus();
  dialog.log.clear();
  dialog.UserPressEnter();
  EXPECT_EQ(dialog.log, std::vector<std::string>{Tag(Event::ButtonClicked, kDefault)});

  dialog.Button(kButton).SetFocus();
  dialog.log.clear();
  dialog.UserPressEnter();
  EXPECT_EQ(dialog.log, std::vector<std::string>{"first"});

  dialog.Button(kDefault).Enable(false);
  dialog.Edit(kEdit).SetFocus();
  dialog.log.clear();
  dialog.UserPressEnter();
  EXPECT_TRUE(dialog.log.empty());
}

TEST_F(DialogTest, EnterInAMultiLineEditThatWantsReturnsStaysThere) {
  dialog.Edit(kNotes).SetFocus();
  dialog.log.clear();
  dialog.UserPressEnter();
  EXPECT_TRUE(dialog.log.empty());
}

TEST_F(DialogTest, FocusNotificationsComeOnlyWhenTheFocusMoves) {
  dialog.Edit(kEdit).SetFocus();
  dialog.Edit(kEdit).SetFocus();
  dialog.Combo(kCombo).SetFocus();
  dialog.List(kList).SetFocus();
  dialog.Button(kButton).SetFocus();
  EXPECT_EQ(dialog.log, (std::vector<std::string>{Tag(Event::EditSetFocus, kEdit),
                                                  Tag(Event::ComboSetFocus, kCombo),
                                                  Tag(Event::ListSetFocus, kList)}));
  EXPECT_TRUE(dialog.Button(kButton).HasFocus());
}

TEST_F(DialogTest, EditChangesNotifyForProgramAndUserAlike) {
  dialog.Edit(kEdit).SetText("a");
  EXPECT_TRUE(dialog.Edit(kEdit).UserType("b"));
  EXPECT_EQ(dialog.log, (std::vector<std::string>{Tag(Event::EditChanged, kEdit),
                                                  Tag(Event::EditSetFocus, kEdit),
                                                  Tag(Event::EditChanged, kEdit)}));
  EXPECT_EQ(dialog.Edit(kEdit).GetText(), "b");
}

TEST_F(DialogTest, MultiLineEditsNotifyOnlyWhatTheUserTypes) {
  dialog.Edit(kNotes).SetText("line 1\r\nline 2");
  EXPECT_TRUE(dialog.log.empty());
  dialog.Edit(kNotes).UserType("line 1");
  EXPECT_EQ(dialog.log, std::vector<std::string>{Tag(Event::EditChanged, kNotes)});
}

TEST_F(DialogTest, DisabledControlsCannotBeUsed) {
  dialog.Button(kCheck).Enable(false);
  dialog.Edit(kEdit).Enable(false);
  EXPECT_FALSE(dialog.UserClick(kCheck));
  EXPECT_FALSE(dialog.Edit(kEdit).UserType("x"));
  EXPECT_TRUE(dialog.log.empty());
  EXPECT_EQ(dialog.Button(kCheck).GetCheck(), ui::ButtonControl::kUnchecked);
}

TEST_F(DialogTest, CheckBoxesToggleAndRadioButtonsExcludeWithinTheirGroup) {
  dialog.UserClick(kCheck);
  EXPECT_EQ(dialog.Button(kCheck).GetCheck(), ui::ButtonControl::kChecked);
  dialog.UserClick(kCheck);
  EXPECT_EQ(dialog.Button(kCheck).GetCheck(), ui::ButtonControl::kUnchecked);

  dialog.Button(kRadioC).SetCheck(ui::ButtonControl::kChecked);
  dialog.UserClick(kRadioB);
  dialog.UserClick(kRadioA);
  EXPECT_EQ(dialog.Button(kRadioA).GetCheck(), ui::ButtonControl::kChecked);
  EXPECT_EQ(dialog.Button(kRadioB).GetCheck(), ui::ButtonControl::kUnchecked);
  EXPECT_EQ(dialog.Button(kRadioC).GetCheck(), ui::ButtonControl::kChecked);
}

TEST_F(DialogTest, ComboSelectionChangeSeesTheOldText) {
  auto& combo = dialog.Combo(kCombo);
  combo.AddString("*.c");
  combo.AddString("*.h");
  combo.SetCurSel(0);
  ASSERT_TRUE(combo.UserType("*.x"));
  EXPECT_EQ(combo.GetCurSel(), -1);
  dialog.log.clear();
  ASSERT_TRUE(combo.UserSelect(1));
  combo.UserCloseUp();
  EXPECT_EQ(dialog.textSeenOnSelChange, "*.x");
  EXPECT_EQ(combo.GetText(), "*.h");
  EXPECT_EQ(combo.GetCurSel(), 1);
  EXPECT_EQ(dialog.log, (std::vector<std::string>{Tag(Event::ComboSelChange, kCombo),
                                                  Tag(Event::ComboCloseUp, kCombo)}));
  EXPECT_FALSE(combo.SetCurSel(2));
  EXPECT_FALSE(combo.UserSelect(-1));
}

class ListTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    for (int row = 0; row < 3; ++row) List().InsertItem(row, std::to_string(row + 1));
    dialog.log.clear();
  }
  ui::ListViewControl& List() { return dialog.List(kList); }
};

TEST_F(ListTest, AClickSelectsTheRowAloneAndReportsTheHit) {
  List().SetItemState(0, ui::kItemSelected, ui::kItemSelected);
  dialog.log.clear();
  List().UserClick(2);
  constexpr unsigned both = ui::kItemSelected | ui::kItemFocused;
  EXPECT_EQ(dialog.log, (std::vector<std::string>{Tag(Event::ListSetFocus, kList), "changed:0:2->0",
                                                  "changed:2:0->" + std::to_string(both),
                                                  Tag(Event::ListClick, kList, 2)}));
}

TEST_F(ListTest, AClickBelowTheRowsHitsNothingAndClearsTheSelection) {
  List().UserClick(1);
  dialog.log.clear();
  List().UserClick(7);
  EXPECT_EQ(dialog.log,
            (std::vector<std::string>{"changed:1:3->1", Tag(Event::ListClick, kList, -1)}));
  dialog.log.clear();
  List().UserDoubleClick(-1);
  EXPECT_EQ(dialog.log.back(), Tag(Event::ListDoubleClick, kList, -1));
}

TEST_F(ListTest, FocusMovesFromRowToRow) {
  List().SetItemState(0, ui::kItemFocused, ui::kItemFocused);
  List().SetItemState(1, ui::kItemFocused, ui::kItemFocused);
  EXPECT_EQ(List().GetItemState(0, ui::kItemFocused), 0u);
  EXPECT_EQ(List().GetItemState(1, ui::kItemFocused), ui::kItemFocused);
}

TEST_F(ListTest, ArrowKeysAreReportedBeforeTheyMoveTheSelection) {
  List().UserClick(0);
  dialog.log.clear();
  List().UserKeyDown(ui::Key::Down);
  ASSERT_FALSE(dialog.log.empty());
  EXPECT_EQ(dialog.log.front(), Tag(Event::ListKeyDown, kList));
  EXPECT_EQ(List().GetItemState(1, ui::kItemSelected), ui::kItemSelected);
  EXPECT_EQ(List().GetItemState(0, ui::kItemSelected), 0u);
  List().UserKeyDown(ui::Key::End);
  List().UserKeyDown(ui::Key::Down);
  EXPECT_EQ(List().GetItemState(2, ui::kItemFocused), ui::kItemFocused);
}

// Ten rows, four of them in view: a page is three rows, and each key
// scrolls the row it selects into view.
TEST_F(ListTest, KeysMoveTheSelectionByRowAndPageAndBringItIntoView) {
  for (int row = 3; row < 10; ++row) List().InsertItem(row, std::to_string(row + 1));
  List().SetRowsPerPage(4);
  using ui::Key;
  const struct {
    std::vector<Key> keys;
    int row;
  } cases[] = {
      {{Key::PageDown}, 3},
      {{Key::PageDown, Key::PageDown}, 6},
      {{Key::End, Key::PageDown}, 9},
      {{Key::End, Key::PageUp}, 6},
      {{Key::PageUp}, 0},
      {{Key::End, Key::Up, Key::Home, Key::Down}, 1},
  };
  for (const auto& each : cases) {
    List().UserClick(0);
    for (Key key : each.keys) List().UserKeyDown(key);
    EXPECT_EQ(List().GetItemState(each.row, ui::kItemSelected | ui::kItemFocused),
              ui::kItemSelected | ui::kItemFocused)
        << each.row;
    EXPECT_EQ(List().LastEnsuredVisible(), each.row);
  }
  List().UserKeyDown(Key::Space);
  EXPECT_EQ(List().LastEnsuredVisible(), 1) << "a key that moves nothing scrolls nothing";
}

TEST_F(ListTest, RowsAndTextsAreKeptInPlace) {
  List().InsertItem(1, "new");
  List().SetItemText(1, 2, "to");
  EXPECT_EQ(List().GetItemCount(), 4);
  EXPECT_EQ(List().GetItemText(1, 0), "new");
  EXPECT_EQ(List().GetItemText(1, 1), "");
  EXPECT_EQ(List().GetItemText(1, 2), "to");
  EXPECT_EQ(List().GetItemText(2, 0), "2");
  EXPECT_TRUE(List().DeleteItem(0));
  EXPECT_FALSE(List().DeleteItem(3));
  EXPECT_EQ(List().GetItemText(0, 0), "new");
  List().DeleteAllItems();
  EXPECT_EQ(List().GetItemCount(), 0);
}

TEST_F(DialogTest, ProgressStopsAtItsUpperEnd) {
  auto& progress = dialog.Progress(kProgress);
  progress.SetRange(0, 2);
  progress.SetStep(1);
  for (int i = 0; i < 3; ++i) progress.StepIt();
  EXPECT_EQ(progress.GetPos(), 2);
  EXPECT_EQ(progress.StepsTaken(), 3);
}

TEST_F(DialogTest, ResizeReportsTheNewClientAreaAndStopsAtTheMinimum) {
  dialog.UserResize(800, 600);
  EXPECT_EQ(dialog.log, std::vector<std::string>{Tag(Event::Size, 0)});
  EXPECT_EQ(dialog.ClientRect(), (ui::Rect{0, 0, 800, 600}));
  dialog.SetMinClientSize(100, 50);
  dialog.UserResize(20, 80);
  EXPECT_EQ(dialog.ClientRect(), (ui::Rect{0, 0, 100, 80}));
}

// Tab visits the tab stops in template order; a disabled one, the radio
// buttons, the progress bar and the notes (no tab stops) are passed over.
TEST_F(DialogTest, TabMovesThroughTheUsableTabStopsAndComesRound) {
  dialog.Button(kButton).Enable(false);
  dialog.Item(kCheck).SetFocus();
  dialog.log.clear();
  std::vector<int> visited;
  for (int press = 0; press < 5; ++press) {
    dialog.UserPressTab(false);
    visited.push_back(dialog.Focus()->Id());
  }
  EXPECT_EQ(visited, (std::vector<int>{kEdit, kDefault, kCombo, kList, kCheck}));
  EXPECT_EQ(dialog.log, (std::vector<std::string>{Tag(Event::EditSetFocus, kEdit),
                                                  Tag(Event::ComboSetFocus, kCombo),
                                                  Tag(Event::ListSetFocus, kList)}));
  dialog.UserPressTab(true);
  EXPECT_EQ(dialog.Focus()->Id(), kList);
}

TEST(DialogLayout, DialogUnitsBecomePixelsOfTheDialogFont) {
  ui::headless::Reset();
  RecordingDialog dialog;
  dialog.Create(nullptr);
  EXPECT_EQ(dialog.ClientRect(), (ui::Rect{0, 0, 300, 162}));
  EXPECT_EQ(dialog.Item(kButton).GetRect(), (ui::Rect{90, 0, 60, 22}));
}

class InitFocusDialog : public ui::Dialog {
 public:
  InitFocusDialog() : Dialog(SampleTemplate()) {}
  int initCalls = 0;

 protected:
  bool OnInitDialog() override {
    ++initCalls;
    Dialog::OnInitDialog();
    Edit(kEdit).SetFocus();
    return true;
  }
};

TEST(DialogModal, ScriptActsAsTheUserAndTheResultComesBack) {
  ui::headless::Reset();
  InitFocusDialog dialog;
  ui::headless::OnNextModal(500, [](ui::Dialog& running) {
    // The dialog manager moves the focus to the first tab stop after set-up.
    EXPECT_TRUE(running.Item(kCheck).HasFocus());
    running.EndDialog(ui::kIdOk);
  });
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_EQ(dialog.initCalls, 1);
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_EQ(dialog.FindControl(kEdit), nullptr);
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
  ASSERT_EQ(ui::headless::Dialogs().size(), 2u);
  EXPECT_TRUE(ui::headless::Dialogs()[0].modal);
}

TEST(DialogModal, MainWindowWithoutAPersonEndsAtOnceAndSaysWhy) {
  ui::headless::Reset();
  InitFocusDialog dialog;
  ui::SetMainWindow(&dialog);
  testing::internal::CaptureStderr();
  const int result = dialog.DoModal();
  const std::string said = testing::internal::GetCapturedStderr();
  ui::SetMainWindow(nullptr);
  EXPECT_EQ(result, ui::kNoWindow);
  EXPECT_EQ(said, "cannot open the main window: no display\n");
  EXPECT_FALSE(dialog.IsOpen());
}

TEST(DialogModeless, CaptionChangesAreLogged) {
  ui::headless::Reset();
  {
    RecordingDialog progress;
    progress.Create(nullptr);
    progress.SetCaption("Copy Files");
  }
  ASSERT_EQ(ui::headless::Dialogs().size(), 1u);
  EXPECT_EQ(ui::headless::Dialogs()[0].caption, "Copy Files");
  EXPECT_FALSE(ui::headless::Dialogs()[0].modal);
}

}  // namespace
