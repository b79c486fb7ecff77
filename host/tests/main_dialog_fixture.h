#pragma once

// Runs the main dialog in-process, headless, in a fake installation; a test
// script acts as the user once set-up is done.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "edit_subst_dlg.h"
#include "fake_install.h"
#include "platform/program.h"
#include "ui/headless.h"
#include "varnock_dlg.h"

class MainDialogTest : public testing::Test {
 protected:
  using Id = CVarnockDlg::ControlId;

  void SetUp() override {
    ui::headless::Reset();
    platform::OverrideProgramPath(install.bin + "/varnock");
  }
  void TearDown() override { platform::OverrideProgramPath(""); }

  /// Sets `target` up and runs `script` while it waits for the user; a
  /// script that does not close it leaves it without Close. Returns the
  /// dialog's result.
  static int Run(CVarnockDlg& target, const std::function<void(CVarnockDlg&)>& script) {
    ui::headless::OnNextModal(CVarnockDlg::kTemplateId, [&script](ui::Dialog& shown) {
      script(static_cast<CVarnockDlg&>(shown));
    });
    return target.DoModal();
  }
  int Run(const std::function<void(CVarnockDlg&)>& script = [](CVarnockDlg&) {}) {
    return Run(dialog, script);
  }

  /// Acts as the user in the next rule editor.
  static void OnRuleEditor(std::function<void(ui::Dialog&)> script) {
    ui::headless::OnNextModal(CEditSubstDlg::kTemplateId, std::move(script));
  }

  /// The rows of the rules list as "number|from|to".
  static std::vector<std::string> Rows(const CVarnockDlg& shown) {
    const ui::ListViewControl& list = shown.List(Id::kRuleList);
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
      rows.push_back(list.GetItemText(row, 0) + "|" + list.GetItemText(row, 1) + "|" +
                     list.GetItemText(row, 2));
    }
    return rows;
  }

  /// Copy, Edit, Remove, UP and DO always share one state.
  static bool SelectionButtonsEnabled(const CVarnockDlg& shown) {
    bool enabled = shown.Item(Id::kCopy).IsEnabled();
    for (int id : {Id::kEdit, Id::kRemove, Id::kMoveUp, Id::kMoveDown}) {
      EXPECT_EQ(shown.Item(id).IsEnabled(), enabled) << "control " << id;
    }
    return enabled;
  }

  static std::vector<std::string> ComboItems(const ui::ComboBoxControl& combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i) items.push_back(combo.GetItemText(i));
    return items;
  }

  static const ui::headless::MessageBoxRecord& LastBox() {
    return ui::headless::MessageBoxes().back();
  }

  static int ShownCount(int templateId) {
    int count = 0;
    for (const auto& record : ui::headless::Dialogs()) count += record.templateId == templateId;
    return count;
  }

  FakeInstall install;
  CVarnockDlg dialog;
};
