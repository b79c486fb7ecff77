#include "progress_view.h"

#include <wx/gauge.h>

#include <algorithm>

#include "ui/toolkit.h"

namespace ui::window {

ProgressView::ProgressView(ProgressControl& control, wxWindow* parent)
    : WidgetView(control, new wxGauge(parent, wxID_ANY, 100, PositionOf(control.GetRect()),
                                      SizeOf(control.GetRect()), wxGA_HORIZONTAL | wxGA_SMOOTH)),
      progress_(control) {}

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
