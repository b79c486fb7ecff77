#include "folder_chooser_window.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/dirctrl.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/textdlg.h>
#include <wx/treectrl.h>

#include "message_box_window.h"
#include "modal_windows.h"
#include "wx_path.h"
#include "wx_text.h"

namespace ui::window {
namespace {

// The proposed folder often does not exist yet (a destination still to be
// made): the chooser starts at the nearest folder above it that does, and
// at the working folder when there is none.
wxString NearestExistingFolder(const std::string& proposed) {
  wxFileName folder = wxFileName::DirName(ToWxPath(proposed));
  folder.MakeAbsolute();
  while (!folder.DirExists() && folder.GetDirCount() > 0) folder.RemoveLastDir();
  return folder.DirExists() ? folder.GetPath() : wxGetCwd();
}

// The toolkit's folder tree, its folders named as every text shows (see
// ToWx): a name that is not UTF-8 would otherwise show characters that no
// font has. Its paths stay the toolkit's, byte for byte.
class FolderTree : public wxGenericDirCtrl {
 public:
  FolderTree(wxWindow* parent, const wxString& start) {
    Create(parent, wxID_ANY, start, wxDefaultPosition, wxDefaultSize,
           wxDIRCTRL_DIR_ONLY | wxDIRCTRL_3D_INTERNAL);
    // The tree's container would take the Tab key's stop itself, and keep
    // the keys from the tree inside it.
    SetCanFocus(false);
  }

 private:
  wxTreeItemId AppendItem(const wxTreeItemId& parent, const wxString& name, int image,
                          int selectedImage, wxTreeItemData* data) override {
    return wxGenericDirCtrl::AppendItem(parent, ShownPath(name), image, selectedImage, data);
  }
};

// The toolkit's own folder dialog cannot name its OK button; this small
// dialog can. It opens over the window the user works in, centred on it.
class FolderChooser : public wxDialog {
 public:
  explicit FolderChooser(const FolderRequest& request)
      : wxDialog(TopModalWindow(), wxID_ANY, ToWx(request.title), wxDefaultPosition,
                 wxSize(420, 480), wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
        start_(NearestExistingFolder(request.initialFolder)) {
    tree_ = new FolderTree(this, start_);
    auto* newFolder = new wxButton(this, wxID_ANY, "Make New Folder");
    newFolder->Bind(wxEVT_BUTTON, &FolderChooser::OnNewFolder, this);
    auto* ok = new wxButton(this, wxID_OK, ToWx(request.okText));
    ok->SetDefault();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(newFolder);
    buttons->AddStretchSpacer();
    buttons->Add(ok, 0, wxRIGHT, 4);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
    auto* layout = new wxBoxSizer(wxVERTICAL);
    layout->Add(tree_, 1, wxEXPAND | wxALL, 8);
    layout->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizer(layout);
    Layout();
    Place();
    // A window manager may show the chooser elsewhere than asked (the first
    // one after a conversion at the screen's corner), and scrolled before the
    // tree had its final size, the start folder could lie out of view: once
    // on screen, the chooser is placed again and the folder scrolled to.
    tree_->GetTreeCtrl()->Bind(wxEVT_PAINT, &FolderChooser::OnFirstPaint, this);
  }

  std::string Chosen() const {
    wxString path = tree_->GetPath();
    return FromWxPath(path.empty() ? start_ : path);
  }

 private:
  void Place() {
    if (GetParent()) {
      CentreOnParent();
    } else {
      CentreOnScreen();
    }
  }

  void OnFirstPaint(wxPaintEvent& event) {
    event.Skip();
    if (onScreen_) return;
    onScreen_ = true;
    CallAfter([this] {
      Place();
      ShowFolder(tree_->GetTreeCtrl()->GetSelection());
    });
  }

  void ShowFolder(const wxTreeItemId& item) {
    if (item.IsOk()) tree_->GetTreeCtrl()->EnsureVisible(item);
  }

  // A folder of the name asked for inside the one selected, which then
  // selects it; a name that is no single folder name is refused.
  void OnNewFolder(wxCommandEvent&) {
    const wxString parent = tree_->GetPath().empty() ? start_ : tree_->GetPath();
    wxTextEntryDialog ask(this, "Name of the new folder:", "Make New Folder", "New folder");
    if (ask.ShowModal() != wxID_OK) return;
    const wxString name = ask.GetValue().Strip(wxString::both);
    if (name.empty()) return;
    if (name == "." || name == ".." ||
        name.find_first_of(wxFileName::GetPathSeparators()) != wxString::npos) {
      RunMessageBox(this, "'" + FromWx(name) + "' is not a folder name.", "Make New Folder",
                    Buttons::Ok, Icon::Error);
      return;
    }
    const wxString path = wxFileName(parent, name).GetFullPath();
    if (!wxDirExists(path) && !wxFileName::Mkdir(path)) {
      RunMessageBox(this, "Could not make the folder '" + FromWxPath(path) + "'.",
                    "Make New Folder", Buttons::Ok, Icon::Error);
      return;
    }
    tree_->ReCreateTree();
    tree_->SetPath(path);
    ShowFolder(tree_->GetTreeCtrl()->GetSelection());
  }

  wxString start_;
  FolderTree* tree_;
  bool onScreen_ = false;
};

}  // namespace

std::string RunFolderChooser(const FolderRequest& request) {
  FolderChooser chooser(request);
  if (chooser.ShowModal() != wxID_OK) return "";
  return chooser.Chosen();
}

}  // namespace ui::window
