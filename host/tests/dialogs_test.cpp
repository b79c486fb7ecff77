#include <gtest/gtest.h>

#include <string>

#include "copy_files_dlg.h"
#include "folder_dialog.h"
#include "progress_bar_dlg.h"
#include "ui/headless.h"
#include "view_report_dlg.h"

namespace {

constexpr int kOkWidth = 75;   // 50 dialog units
constexpr int kOkHeight = 22;  // 14 dialog units

class DialogsTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }
};

TEST_F(DialogsTest, ReportShowsEveryLineAndKeepsItsLayoutUntilResized) {
  ui::headless::OnNextModal(CViewReportDlg::kTemplateId, [](ui::Dialog& report) {
    EXPECT_EQ(report.Edit(CViewReportDlg::kReportId).GetText(), "one\r\ntwo\r\r\nthree");
    report.UserResize(800, 600);
    EXPECT_EQ(report.Item(CViewReportDlg::kReportId).GetRect(), (ui::Rect{11, 11, 779, 543}));
    ui::Rect ok = report.Item(ui::kIdOk).GetRect();
    EXPECT_EQ(ok.x + ok.width, 790);
    EXPECT_EQ(ok.y + ok.height, 590);
    EXPECT_EQ(ok.width, kOkWidth);
    EXPECT_EQ(ok.height, kOkHeight);

    // Sized down to nothing, the window keeps OK whole and some of the report.
    report.UserResize(1, 1);
    const ui::Rect edit = report.Item(CViewReportDlg::kReportId).GetRect();
    ok = report.Item(ui::kIdOk).GetRect();
    EXPECT_GE(edit.width, kOkWidth);
    EXPECT_GE(edit.height, kOkHeight);
    EXPECT_GE(ok.x, 10);
    EXPECT_GE(ok.y, edit.y + edit.height);
  });
  CViewReportDlg("one\ntwo\r\nthree").DoModal();
}

// The report is a plain multi-line edit: Enter there is OK, as anywhere in
// the window, and leaves the report's text alone.
TEST_F(DialogsTest, EnterInTheReportClosesIt) {
  ui::headless::OnNextModal(CViewReportDlg::kTemplateId, [](ui::Dialog& report) {
    report.Item(CViewReportDlg::kReportId).SetFocus();
    report.UserPressEnter();
    EXPECT_EQ(report.Edit(CViewReportDlg::kReportId).GetText(), "one\r\ntwo");
  });
  EXPECT_EQ(CViewReportDlg("one\ntwo").DoModal(), ui::kIdOk);
}

TEST_F(DialogsTest, ReportIgnoresSizingBeforeItIsFilled) {
  class EarlySizing : public CViewReportDlg {
   public:
    EarlySizing() : CViewReportDlg("text") {}
    ui::Rect editBefore;

   protected:
    void DoDataExchange() override {
      CViewReportDlg::DoDataExchange();
      editBefore = Item(kReportId).GetRect();
      UserResize(300, 200);
      EXPECT_EQ(Item(kReportId).GetRect(), editBefore);
    }
  } report;
  EXPECT_EQ(report.DoModal(), ui::kIdCancel);
}

TEST_F(DialogsTest, ProgressIsModelessWithItsTemplateCaption) {
  CProgressBarDlg progress;
  ASSERT_TRUE(progress.Create(nullptr));
  EXPECT_TRUE(progress.IsVisible());
  EXPECT_EQ(progress.GetCaption(), "Processing files");
  progress.Progress().SetRange(0, 4);
  progress.Progress().SetStep(1);
  progress.Progress().StepIt();
  // The bar that the work steps is the one the window shows.
  const ui::ProgressControl& shown = progress.ui::Dialog::Progress(CProgressBarDlg::kProgressId);
  EXPECT_EQ(shown.GetPos(), 1);
  EXPECT_EQ(shown.StepsTaken(), 1);
}

TEST_F(DialogsTest, DestinationDialogEnablesWhatTheChoiceNeeds) {
  ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [](ui::Dialog& dialog) {
    EXPECT_TRUE(dialog.Button(CCopyFilesDlg::kBackupCheckId).IsEnabled());
    EXPECT_FALSE(dialog.Item(CCopyFilesDlg::kDestinationId).IsEnabled());
    EXPECT_FALSE(dialog.Item(CCopyFilesDlg::kBrowseId).IsEnabled());
    dialog.UserClick(CCopyFilesDlg::kCopyRadioId);
    EXPECT_EQ(dialog.Button(CCopyFilesDlg::kInPlaceRadioId).GetCheck(), 0);
    EXPECT_FALSE(dialog.Button(CCopyFilesDlg::kBackupCheckId).IsEnabled());
    EXPECT_TRUE(dialog.Item(CCopyFilesDlg::kDestinationId).IsEnabled());
    dialog.UserPressEnter();
  });
  CCopyFilesDlg dialog(false, "/dest", false);
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_TRUE(dialog.operateOnCopy);
  EXPECT_EQ(dialog.destDir, "/dest");
}

TEST_F(DialogsTest, DestinationDialogReturnsDisabledFieldsToo) {
  ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [](ui::Dialog& dialog) {
    dialog.UserClick(CCopyFilesDlg::kInPlaceRadioId);
    dialog.UserClick(CCopyFilesDlg::kBackupCheckId);
    dialog.UserClick(ui::kIdOk);
  });
  CCopyFilesDlg dialog(true, "/proposed", false);
  EXPECT_EQ(dialog.DoModal(), ui::kIdOk);
  EXPECT_FALSE(dialog.operateOnCopy);
  EXPECT_EQ(dialog.destDir, "/proposed");
  EXPECT_TRUE(dialog.makeBackups);

  ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [](ui::Dialog& dialog) {
    dialog.UserClick(CCopyFilesDlg::kBackupCheckId);  // disabled while copying: no effect
    dialog.UserClick(ui::kIdOk);
  });
  CCopyFilesDlg copying(true, "/proposed", true);
  copying.DoModal();
  EXPECT_TRUE(copying.makeBackups);
}

TEST_F(DialogsTest, DestinationBrowseFillsTheEditOnlyOnOk) {
  ui::headless::ChooseNextFolder("/picked");
  ui::headless::OnNextModal(CCopyFilesDlg::kTemplateId, [](ui::Dialog& dialog) {
    dialog.UserClick(CCopyFilesDlg::kBrowseId);
    EXPECT_EQ(dialog.Edit(CCopyFilesDlg::kDestinationId).GetText(), "/picked");
    dialog.UserClick(CCopyFilesDlg::kBrowseId);  // cancelled
    EXPECT_EQ(dialog.Edit(CCopyFilesDlg::kDestinationId).GetText(), "/picked");
    dialog.UserPressEscape();
  });
  CCopyFilesDlg dialog(true, "/start", true);
  EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);
  EXPECT_EQ(dialog.destDir, "/start");
  const auto& choosers = ui::headless::FolderChoosers();
  ASSERT_EQ(choosers.size(), 2u);
  EXPECT_EQ(choosers[0].title, "Choose where to copy the original directory");
  EXPECT_EQ(choosers[0].okText, "Choose");
  EXPECT_EQ(choosers[0].initialFolder, "/start");
  EXPECT_EQ(choosers[1].initialFolder, "/picked");
}

TEST_F(DialogsTest, ChosenFolderIsForgottenWithTheChooser) {
  ui::headless::ChooseNextFolder("/somewhere");
  {
    FolderDialog chooser("Choose directory", "Choose");
    EXPECT_EQ(chooser.DoModal(), ui::kIdOk);
    EXPECT_EQ(FolderDialog::GetChosenFolder(), "/somewhere");
  }
  EXPECT_EQ(FolderDialog::GetChosenFolder(), "");
}

}  // namespace
