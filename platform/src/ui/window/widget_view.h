#pragma once

#include <wx/event.h>
#include <wx/window.h>

#include <functional>
#include <string>

#include "ui/controls.h"

namespace ui::window {

/// The real widget of one control and the mirror between the two. The view
/// attaches itself to the control; every change of the model reaches the
/// widget through Update, every action on the widget reaches the model as the
/// user call a person's action makes. Being an event handler, the view's
/// bindings on the widget end with it.
class WidgetView : public wxEvtHandler, public ControlView {
 public:
  ~WidgetView() override;
  WidgetView(const WidgetView&) = delete;
  WidgetView& operator=(const WidgetView&) = delete;

  void Update(Aspect aspect) final;
  /// Brings the widget in line with every aspect of the model.
  void MirrorAll();

  Control& Model() const { return control_; }
  wxWindow* Widget() const { return widget_; }

  /// Moves the keyboard focus to the widget unless it has it already.
  void TakeFocus();
  /// Shows `text` as the widget's tooltip; "" removes it, also from the
  /// screen.
  void ShowTooltip(const std::string& text);

 protected:
  /// Attaches the view to `control`; `widget` is the control's new widget.
  WidgetView(Control& control, wxWindow* widget);

  /// The aspects particular to the kind of control; also told of Enabled
  /// and Focus once the widget has been enabled or disabled, and when the
  /// focus may have moved.
  virtual void Mirror(Aspect aspect) = 0;
  /// The window that receives the widget's mouse and keys (the widget itself
  /// unless it is made of parts).
  virtual wxWindow* InputWindow() const { return widget_; }
  /// The widget's size for the control's rectangle.
  virtual wxSize WidgetSize() const;
  /// True while the view itself changes the widget: whatever the widget
  /// reports then is an echo, not the user.
  bool Mirroring() const { return mirroring_ > 0; }
  /// Passes text the user typed into the widget on to the model (`report`).
  /// The widget has the keyboard focus then, even when the toolkit has not
  /// said so yet: the model's focus moving to the control leaves the widget
  /// alone, where giving it the focus anew would select its whole text and
  /// the next key typed would replace it.
  void ReportTyping(const std::function<void()>& report);

 private:
  void OnSetFocus(wxFocusEvent& event);

  Control& control_;
  wxWindow* widget_;
  int mirroring_ = 0;
  bool typing_ = false;
  std::string tooltip_;
};

/// Widget position and size of a control rectangle in pixels.
wxPoint PositionOf(const Rect& rect);
wxSize SizeOf(const Rect& rect);

}  // namespace ui::window
