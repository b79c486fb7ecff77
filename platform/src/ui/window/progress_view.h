#pragma once

#include "widget_view.h"

namespace ui::window {

/// Progress bar. Every step repaints the windows, so that a progress window
/// stays painted while the work loop that steps it runs.
class ProgressView : public WidgetView {
 public:
  ProgressView(ProgressControl& control, wxWindow* parent);

 private:
  void Mirror(Aspect aspect) override;
  ProgressControl& progress_;
};

}  // namespace ui::window
