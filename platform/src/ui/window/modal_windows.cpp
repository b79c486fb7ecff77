#include "modal_windows.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <algorithm>
#include <vector>

namespace ui::window {
namespace {

class ModalWindows : public wxModalDialogHook {
 public:
  explicit ModalWindows(std::function<void()> changed) : changed_(std::move(changed)) {
    Register();
  }

  wxWindow* Top() const { return open_.empty() ? nullptr : open_.back(); }

 private:
  int Enter(wxDialog* dialog) override {
    open_.push_back(dialog);
    changed_();
    return wxID_NONE;
  }

  void Exit(wxDialog* dialog) override {
    auto found = std::find(open_.rbegin(), open_.rend(), dialog);
    if (found != open_.rend()) open_.erase(std::next(found).base());
    changed_();
  }

  std::function<void()> changed_;
  std::vector<wxDialog*> open_;
};

ModalWindows* following = nullptr;  // lives as long as the toolkit

}  // namespace

void FollowModalWindows(std::function<void()> changed) {
  if (!following) following = new ModalWindows(std::move(changed));
}

wxWindow* TopModalWindow() { return following ? following->Top() : nullptr; }

}  // namespace ui::window
