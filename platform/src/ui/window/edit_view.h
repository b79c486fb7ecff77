#pragma once

#include <string>

#include "widget_view.h"

class wxTextCtrl;

namespace ui::window {

/// Single- or multi-line edit. What the user types becomes the control's
/// text (and so EditChanged); multi-line text swaps line ends on the way.
class EditView : public WidgetView {
 public:
  EditView(EditControl& control, wxWindow* parent);
  ~EditView() override;

 private:
  void Mirror(Aspect aspect) override;
  std::string ShownText() const;
  /// Has the widget show the model's text `text`.
  void ShowText(const std::string& text);
  void OnText(wxCommandEvent& event);
  wxTextCtrl* Text() const;
  EditControl& edit_;
  bool multiLine_;
};

}  // namespace ui::window
