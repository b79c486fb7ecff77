#include <gtest/gtest.h>

#include "ui/common_dialogs.h"
#include "ui/dialog.h"
#include "ui/headless.h"
#include "ui/message_box.h"

namespace {

using ui::Answer;
using ui::Buttons;

class CommonDialogsTest : public testing::Test {
 protected:
  void SetUp() override { ui::headless::Reset(); }
};

TEST_F(CommonDialogsTest, ScriptedAnswersAreGivenInOrderAndLogged) {
  ui::headless::AnswerNextMessageBox(Answer::Yes);
  ui::headless::AnswerNextMessageBox(Answer::No);
  EXPECT_EQ(ui::MessageBox(nullptr, "one", "First", Buttons::YesNo), Answer::Yes);
  EXPECT_EQ(ui::MessageBox(nullptr, "two", "Second", Buttons::YesNo, ui::Icon::Question),
            Answer::No);
  const auto& log = ui::headless::MessageBoxes();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].caption, "Second");
  EXPECT_EQ(log[1].text, "two");
  EXPECT_EQ(log[1].icon, ui::Icon::Question);
  EXPECT_FALSE(log[1].hasOwner);
}

TEST_F(CommonDialogsTest, UnansweredBoxesGoToStandardErrorWithTheSafeAnswer) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(ui::MessageBox(nullptr, "Go on?", "Question", Buttons::YesNo), Answer::No);
  EXPECT_EQ(ui::MessageBox(nullptr, "Done.", "Note"), Answer::Ok);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Question: Go on?\nNote: Done.\n");
}

TEST_F(CommonDialogsTest, TheOwnerIsRecordedByItsCaption) {
  ui::Dialog owner({7, "Owner window", 10, 10, 0, {}});
  owner.Create(nullptr);
  ui::headless::AnswerNextMessageBox(Answer::Ok);
  ui::MessageBox(&owner, "text", "caption");
  ASSERT_EQ(ui::headless::MessageBoxes().size(), 1u);
  EXPECT_TRUE(ui::headless::MessageBoxes()[0].hasOwner);
  EXPECT_EQ(ui::headless::MessageBoxes()[0].owner, "Owner window");
}

TEST_F(CommonDialogsTest, FileDialogsAndFolderChoosersCancelUnlessAnswered) {
  ui::FileDialogRequest request{false, "xml", "MyVarnockConfig.xml",
                                "Config Files (*.xml)|*.xml||"};
  EXPECT_EQ(ui::ChooseFile(request), "");
  ui::headless::ChooseNextFile("/tmp/rules.xml");
  EXPECT_EQ(ui::ChooseFile(request), "/tmp/rules.xml");
  ASSERT_EQ(ui::headless::FileDialogs().size(), 2u);
  EXPECT_EQ(ui::headless::FileDialogs()[0].initialName, "MyVarnockConfig.xml");

  ui::FolderRequest folder{"Choose directory", "Choose", "/start"};
  EXPECT_EQ(ui::ChooseFolder(folder), "");
  ui::headless::ChooseNextFolder("/picked");
  EXPECT_EQ(ui::ChooseFolder(folder), "/picked");
  EXPECT_EQ(ui::headless::FolderChoosers().back().title, "Choose directory");
}

}  // namespace
