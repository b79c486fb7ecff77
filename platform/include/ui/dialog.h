#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/export.h"
#include "ui/controls.h"
#include "ui/types.h"

namespace ui {

class Dialog;
class DialogPeer;

/// One entry of a dialog's message map: the notification, the control it
/// comes from, and the handler.
struct MessageMapEntry {
  Event event;
  int controlId;
  std::function<void(Dialog&, Notification&)> handler;
};
using MessageMap = std::vector<MessageMapEntry>;

/// Message-map entry for a member handler without arguments.
template <class D>
MessageMapEntry On(Event event, int controlId, void (D::*handler)()) {
  return {event, controlId,
          [handler](Dialog& dialog, Notification&) { (static_cast<D&>(dialog).*handler)(); }};
}

/// Message-map entry for a member handler that reads the notification.
template <class D>
MessageMapEntry On(Event event, int controlId, void (D::*handler)(Notification&)) {
  return {event, controlId, [handler](Dialog& dialog, Notification& notification) {
            (static_cast<D&>(dialog).*handler)(notification);
          }};
}

/// A dialog built from a template: modal (DoModal) or modeless (Create).
/// Controls exist from the moment the window is made until it is destroyed.
/// Notifications are dispatched through the message map: the first entry in
/// declared order that matches the event and the control id handles it. A
/// click of button kIdOk or kIdCancel without an entry of its own runs OnOK or
/// OnCancel. Enter clicks the default button; Escape and the close box click
/// kIdCancel.
class PLATFORM_EXPORT Dialog {
 public:
  explicit Dialog(DialogTemplate dialogTemplate);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  /// Makes the window, runs OnInitDialog, then waits until EndDialog; returns
  /// the result given to EndDialog.
  int DoModal();
  /// Makes the window modeless, runs OnInitDialog; false when it failed.
  bool Create(Dialog* parent);
  /// Shows or hides a modeless window.
  void ShowWindow(bool show);
  /// Closes the window and drops its controls.
  void DestroyWindow();
  /// Ends a modal run with `result`.
  void EndDialog(int result);

  bool IsOpen() const { return open_; }
  bool IsModal() const { return modal_; }
  bool IsVisible() const { return visible_; }
  const DialogTemplate& Template() const { return template_; }

  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int GetIcon() const { return icon_; }
  void SetIcon(int iconId);

  /// The control with `id`, null when the dialog has none (or is closed).
  Control* FindControl(int id) const;
  /// Typed access; the control must exist and be of that kind.
  Control& Item(int id) const;
  ButtonControl& Button(int id) const;
  EditControl& Edit(int id) const;
  ComboBoxControl& Combo(int id) const;
  ListViewControl& List(int id) const;
  ProgressControl& Progress(int id) const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  /// The control that has the keyboard focus, null for none.
  Control* Focus() const { return focus_; }

  /// Tooltips: added per control, shown once activated.
  void AddTooltip(int controlId, const std::string& text);
  std::string Tooltip(int controlId) const;
  void ActivateTooltips(bool active);
  bool TooltipsActive() const { return tooltipsActive_; }

  /// Client area in pixels.
  Rect ClientRect() const { return client_; }

  // Input as a person gives it; the backends and the tests use these.
  /// Clicks the control `id` (see ButtonControl::UserClick); false when it is
  /// not a button or cannot be clicked.
  bool UserClick(int id);
  /// Enter: a focused push button is clicked, a focused multi-line edit that
  /// wants returns takes it, otherwise the default button is clicked when
  /// enabled.
  void UserPressEnter();
  /// Escape and the close box: a click of kIdCancel.
  void UserPressEscape();
  void UserCloseBox();
  /// Tab, or Shift+Tab when `backward`: the focus moves to the next (or the
  /// previous) control in tab order that is a tab stop, enabled and visible,
  /// coming round after the last (or before the first). Nothing happens when
  /// there is no such control.
  void UserPressTab(bool backward);
  /// The window was resized to a client area of width x height pixels; a
  /// size below the minimum client size stops at the minimum.
  void UserResize(int width, int height);

  /// The smallest client area, in pixels, that the user can size the window
  /// to; 0 x 0 (the default) sets no limit.
  void SetMinClientSize(int width, int height);
  Rect MinClientSize() const { return minClient_; }

  /// Sends a notification through the message map.
  void Dispatch(Notification& notification);

  // Backend hooks.
  void SetFocusTo(Control* control);
  void SetClientSize(int width, int height);
  DialogPeer* Peer() const { return peer_.get(); }

 protected:
  /// Binds the derived class's control members; called by OnInitDialog.
  virtual void DoDataExchange() {}
  /// Set-up once the window and its controls exist. The base binds the
  /// controls (DoDataExchange) and returns true.
  virtual bool OnInitDialog();
  virtual void OnOK() { EndDialog(kIdOk); }
  virtual void OnCancel() { EndDialog(kIdCancel); }
  virtual const MessageMap& GetMessageMap() const;

 private:
  void MakeWindow(Dialog* parent, bool modal);
  void FocusFirstTabStop();
  Control* NextTabStop(bool backward) const;
  void SendFocusNotification(Control& control);

  DialogTemplate template_;
  std::string caption_;
  int icon_ = 0;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<int, std::string> tooltips_;
  bool tooltipsActive_ = false;
  Control* focus_ = nullptr;
  Rect client_;
  Rect minClient_;
  std::unique_ptr<DialogPeer> peer_;
  bool open_ = false;
  bool modal_ = false;
  bool visible_ = false;
  bool ended_ = false;
  int result_ = kIdCancel;
};

/// Declares the application's main window: a modal run of it that would wait
/// for a person where there is no display says so on standard error and ends
/// at once with kNoWindow.
PLATFORM_EXPORT void SetMainWindow(Dialog* dialog);
PLATFORM_EXPORT Dialog* MainWindow();

}  // namespace ui
