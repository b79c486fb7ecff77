#pragma once

#include "widget_view.h"

namespace ui::window {

/// Push button, check box or radio button. A click, made by mouse or key,
/// becomes ButtonControl::UserClick.
class ButtonView : public WidgetView {
 public:
  /// `startsRadioGroup`: a radio button that does not share the group of the
  /// radio buttons before it.
  ButtonView(ButtonControl& control, wxWindow* parent, bool startsRadioGroup);

 private:
  void Mirror(Aspect aspect) override;
  void OnClick(wxCommandEvent& event);
  ButtonControl& button_;
};

}  // namespace ui::window
