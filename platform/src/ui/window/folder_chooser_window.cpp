#include "folder_chooser_window.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/dirctrl.h>
#include <wx/filefn.h>
#include <wx/sizer.h>

#include "wx_text.h"

namespace ui::window {
namespace {

// The toolkit's own folder dialog cannot name its OK button; this small
// dialog can.
class FolderChooser : public wxDialog {
 public:
  explicit FolderChooser(const FolderRequest& request)
      : wxDialog(nullptr, wxID_ANY, ToWx(request.title), wxDefaultPosition, wxSize(420, 480),
                 wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    wxString initial = ToWx(request.initialFolder);
    if (initial.empty() || !wxDirExists(initial)) initial = wxGetCwd();
    tree_ = new wxGenericDirCtrl(this, wxID_ANY, initial, wxDefaultPosition, wxDefaultSize,
                                 wxDIRCTRL_DIR_ONLY | wxDIRCTRL_3D_INTERNAL);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, ToWx(request.okText));
    buttons->Add(ok, 0, wxRIGHT, 4);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
    ok->SetDefault();
    auto* layout = new wxBoxSizer(wxVERTICAL);
    layout->Add(tree_, 1, wxEXPAND | wxALL, 8);
    layout->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizer(layout);
    CentreOnScreen();
    shown_ = initial;
  }

  std::string Chosen() const {
    wxString path = tree_->GetPath();
    return FromWx(path.empty() ? shown_ : path);
  }

 private:
  wxGenericDirCtrl* tree_;
  wxString shown_;
};

}  // namespace

std::string RunFolderChooser(const FolderRequest& request) {
  FolderChooser chooser(request);
  if (chooser.ShowModal() != wxID_OK) return "";
  return chooser.Chosen();
}

}  // namespace ui::window
