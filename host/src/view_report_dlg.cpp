#include "view_report_dlg.h"

#include "platform/text_file.h"

namespace {

// The layout that a resize applies, in pixels: the report edit at (kEditLeft,
// kEditTop), as wide and high as the client area less the margins across and
// down; OK keeps its size, kOkMargin from the right and bottom edges.
constexpr int kEditLeft = 11;
constexpr int kEditTop = 11;
constexpr int kEditMarginsAcross = 21;
constexpr int kEditMarginsDown = 57;
constexpr int kOkMargin = 10;

ui::DialogTemplate ReportTemplate() {
  using namespace ui::style;
  return {CViewReportDlg::kTemplateId,
          "Report",
          600,
          400,
          ui::dialog_style::kResizable | ui::dialog_style::kMinMaxBoxes,
          {{ui::kIdOk,
            ui::ControlKind::PushButton,
            "OK",
            {543, 379, 50, 14},
            kTabStop | kDefaultButton},
           {CViewReportDlg::kReportId,
            ui::ControlKind::Edit,
            "",
            {7, 7, 586, 365},
            kMultiLine | kBorder | kVScroll | kTabStop | kAutoHScroll}}};
}

}  // namespace

CViewReportDlg::CViewReportDlg(std::string text)
    : Dialog(ReportTemplate()), reportContents(std::move(text)) {}

void CViewReportDlg::DoDataExchange() {
  reportEdit = &Edit(kReportId);
  okButton = &Button(ui::kIdOk);
}

bool CViewReportDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  reportEdit->SetText(platform::ToTextMode(reportContents));
  // However small the user makes the window, OK stays whole and the report
  // keeps room for a few lines and its scroll bars: below that the layout
  // would give its controls negative sizes.
  const ui::Rect ok = okButton->GetRect();
  SetMinClientSize(kEditMarginsAcross + 3 * ok.width, kEditMarginsDown + 4 * ok.height);
  layoutReady = true;
  return true;
}

const ui::MessageMap& CViewReportDlg::GetMessageMap() const {
  static const ui::MessageMap map = {ui::On(ui::Event::Size, 0, &CViewReportDlg::OnSize)};
  return map;
}

// Keeps the report filling the window and OK in its lower right corner.
void CViewReportDlg::OnSize(ui::Notification& notification) {
  if (!layoutReady) return;
  int width = notification.width;
  int height = notification.height;
  reportEdit->Move({kEditLeft, kEditTop, width - kEditMarginsAcross, height - kEditMarginsDown});
  ui::Rect ok = okButton->GetRect();
  okButton->Move(
      {width - kOkMargin - ok.width, height - kOkMargin - ok.height, ok.width, ok.height});
}
