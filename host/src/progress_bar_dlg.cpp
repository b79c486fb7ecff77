#include "progress_bar_dlg.h"

namespace {

ui::DialogTemplate ProgressTemplate() {
  using namespace ui::style;
  return {
      CProgressBarDlg::kTemplateId,
      "Processing files",
      195,
      30,
      ui::dialog_style::kVisible,
      {{CProgressBarDlg::kProgressId, ui::ControlKind::ProgressBar, "", {7, 7, 181, 16}, kBorder}}};
}

}  // namespace

CProgressBarDlg::CProgressBarDlg() : Dialog(ProgressTemplate()) {}

void CProgressBarDlg::DoDataExchange() { progressControl = &Dialog::Progress(kProgressId); }
