#include "progress_view.h"

#include <wx/gauge.h>

#include <algorithm>
#include <string>

#include "ui/toolkit.h"

namespace ui::window {
namespace {

// The theme draws a thin bar along the bottom of the widget; a progress bar of
// a dialog template fills its rectangle, inside its border.
class FilledGauge : public wxGauge {
 public:
  FilledGauge(wxWindow* parent, const Rect& rect)
      : wxGauge(parent, wxID_ANY, 100, PositionOf(rect), SizeOf(rect),
                wxGA_HORIZONTAL | wxGA_SMOOTH) {
    const std::string trough = std::to_string(std::max(rect.height, 2));
    const std::string bar = std::to_string(std::max(rect.height - 2, 0));
    GTKApplyCssStyle(
        ("trough { min-height: " + trough + "px; } progress { min-height: " + bar + "px; }")
            .c_str());
  }
};

}  // namespace

ProgressView::ProgressView(ProgressControl& control, wxWindow* parent)
    : WidgetView(control, new FilledGauge(parent, control.GetRect())), progress_(control) {}

// An empty range (0 .. 0 when there is nothing to do) shows an empty bar.
void ProgressView::Mirror(Aspect aspect) {
  if (aspect != Aspect::Progress) return;
  auto* gauge = static_cast<wxGauge*>(Widget());
  const int span = progress_.GetHigh() - progress_.GetLow();
  gauge->SetRange(std::max(span, 1));
  gauge->SetValue(span > 0 ? std::clamp(progress_.GetPos() - progress_.GetLow(), 0, span) : 0);
  if (gauge->IsShownOnScreen()) KeepResponsive();
}

}  // namespace ui::window
