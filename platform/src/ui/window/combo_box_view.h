#pragma once

#include "widget_view.h"

class wxComboBox;

namespace ui::window {

/// Drop-down list (a read-only combo box) or drop-down combo box (editable).
/// A pick from the list becomes UserSelect, the list closing UserCloseUp,
/// typing in the edit field UserType.
class ComboBoxView : public WidgetView {
 public:
  ComboBoxView(ComboBoxControl& control, wxWindow* parent);

 private:
  void Mirror(Aspect aspect) override;
  wxSize WidgetSize() const override;
  void MirrorItems();
  void MirrorSelection();
  void MirrorText();
  void OnSelect(wxCommandEvent& event);
  void OnText(wxCommandEvent& event);
  void OnDropDown(wxCommandEvent& event);
  void OnCloseUp(wxCommandEvent& event);
  void CloseUp();
  wxComboBox* Combo() const;
  ComboBoxControl& combo_;
  bool editable_;  ///< a drop-down combo box, with an edit field
};

}  // namespace ui::window
