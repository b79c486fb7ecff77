#include "widget_view.h"

#include "ui/dialog.h"
#include "ui/toolkit_windows.h"
#include "wx_text.h"

namespace ui::window {

wxPoint PositionOf(const Rect& rect) { return {rect.x, rect.y}; }
wxSize SizeOf(const Rect& rect) { return {rect.width, rect.height}; }

wxWindow* WidgetOf(const Control& control) {
  auto* view = dynamic_cast<WidgetView*>(control.View());
  return view ? view->Widget() : nullptr;
}

WidgetView::WidgetView(Control& control, wxWindow* widget) : control_(control), widget_(widget) {
  control_.AttachView(this);
  widget_->Bind(wxEVT_SET_FOCUS, &WidgetView::OnSetFocus, this);
}

WidgetView::~WidgetView() {
  if (control_.View() == this) control_.AttachView(nullptr);
}

void WidgetView::Update(Aspect aspect) {
  ++mirroring_;
  switch (aspect) {
    case Aspect::Enabled:
      widget_->Enable(control_.IsEnabled());
      Mirror(aspect);
      break;
    case Aspect::Visible:
      widget_->Show(control_.IsVisible());
      break;
    case Aspect::Geometry:
      widget_->SetSize(wxRect(PositionOf(control_.GetRect()), WidgetSize()));
      break;
    case Aspect::Focus:
      Mirror(aspect);
      if (control_.HasFocus()) TakeFocus();
      break;
    default:
      Mirror(aspect);
      break;
  }
  --mirroring_;
}

void WidgetView::MirrorAll() {
  for (Aspect aspect : {Aspect::Text, Aspect::Enabled, Aspect::Visible, Aspect::Check,
                        Aspect::Image, Aspect::Items, Aspect::Selection, Aspect::Columns,
                        Aspect::Rows, Aspect::RowState, Aspect::ExtendedStyle, Aspect::Progress}) {
    Update(aspect);
  }
}

void WidgetView::TakeFocus() {
  if (typing_) return;
  wxWindow* input = InputWindow();
  wxWindow* focused = wxWindow::FindFocus();
  if (focused != widget_ && focused != input) widget_->SetFocus();
}

namespace {

void SetTooltipOf(wxWindow* window, const std::string& text) {
  if (text.empty()) {
    window->UnsetToolTip();
  } else {
    window->SetToolTip(ToWx(text));
  }
}

}  // namespace

// The part that receives the pointer carries the tooltip too. Setting a
// tooltip has the toolkit look up the one under the pointer again, so a
// tooltip that stays the same is not set again.
void WidgetView::ShowTooltip(const std::string& text) {
  if (text == tooltip_) return;
  tooltip_ = text;
  SetTooltipOf(widget_, text);
  if (InputWindow() != widget_) SetTooltipOf(InputWindow(), text);
}

void WidgetView::ReportTyping(const std::function<void()>& report) {
  typing_ = true;
  report();
  typing_ = false;
}

wxSize WidgetView::WidgetSize() const { return SizeOf(control_.GetRect()); }

void WidgetView::OnSetFocus(wxFocusEvent& event) {
  event.Skip();
  control_.Owner().SetFocusTo(&control_);
}

}  // namespace ui::window
