#pragma once

#include "widget_view.h"

class wxListCtrl;

namespace ui::window {

/// List view in report view. The model decides the selection: clicks,
/// double clicks and keys go to the model (UserClick, UserDoubleClick,
/// UserKeyDown) instead of the widget, and the widget shows the row states
/// the model then holds, as far as a list without the focus shows them.
class ReportListView : public WidgetView {
 public:
  ReportListView(ListViewControl& control, wxWindow* parent);

 private:
  void Mirror(Aspect aspect) override;
  wxWindow* InputWindow() const override { return rows_; }
  void MirrorColumns();
  void MirrorRows();
  void MirrorRowStates();
  void MirrorExtendedStyle();
  void MirrorEnabled();
  int RowAt(const wxPoint& point) const;
  void Ignore(wxMouseEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnDoubleClick(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  wxListCtrl* List() const;
  ListViewControl& list_;
  wxWindow* rows_;
  wxColour enabledText_;
  wxColour enabledBackground_;
};

}  // namespace ui::window
