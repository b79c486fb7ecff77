#pragma once

#include "widget_view.h"

namespace ui::window {

/// Label or group box: text only, never input.
class StaticView : public WidgetView {
 public:
  StaticView(Control& control, wxWindow* parent);

 private:
  void Mirror(Aspect aspect) override;
};

}  // namespace ui::window
