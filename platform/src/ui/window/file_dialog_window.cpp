#include "file_dialog_window.h"

#include <dlfcn.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

#include "message_box_window.h"
#include "wx_path.h"
#include "wx_text.h"

namespace ui::window {
namespace {

// The toolkit's wildcard for a filter of the form
// "Description (*.ext)|*.ext||": the description and pattern pairs up to the
// empty pair that ends the list.
std::string WildcardOf(const std::string& filter) {
  std::string wildcard;
  size_t at = 0;
  while (at < filter.size()) {
    size_t descriptionEnd = filter.find('|', at);
    if (descriptionEnd == std::string::npos || descriptionEnd == at) break;
    size_t patternEnd = filter.find('|', descriptionEnd + 1);
    if (patternEnd == std::string::npos) patternEnd = filter.size();
    if (!wildcard.empty()) wildcard += '|';
    wildcard += filter.substr(at, patternEnd - at);
    at = patternEnd + 1;
  }
  return wildcard;
}

// A name typed without an extension gets the default one: always when
// saving, when opening only if the name as typed does not exist.
std::string WithDefaultExtension(const std::string& path, const FileDialogRequest& request) {
  if (request.defaultExtension.empty() || wxFileName(ToWxPath(path)).HasExt()) return path;
  if (!request.save && wxFileName::FileExists(ToWxPath(path))) return path;
  return path + "." + request.defaultExtension;
}

// The dialog asked about overwriting the name it returned; a name that got
// its extension only afterwards is asked about here.
bool MayReplace(const std::string& path) {
  wxFileName name(ToWxPath(path));
  if (!name.FileExists()) return true;
  return RunMessageBox(
             nullptr,
             FromWxPath(name.GetFullName()) + " already exists.\nDo you want to replace it?",
             "Confirm Save As", Buttons::YesNo, Icon::Warning) == Answer::Yes;
}

// The toolkit gives a path that is not UTF-8 as nothing; the GTK chooser that
// the dialog is made of gives its bytes. The two GTK calls are looked up in
// the GTK library the toolkit has loaded, so that building needs none of
// GTK's own headers (and the many packages they bring).
std::string ChosenPath(const wxFileDialog& dialog) {
  using GetFilename = char* (*)(void* chooser);
  using Free = void (*)(void* memory);
  static const auto getFilename =
      reinterpret_cast<GetFilename>(::dlsym(RTLD_DEFAULT, "gtk_file_chooser_get_filename"));
  static const auto release = reinterpret_cast<Free>(::dlsym(RTLD_DEFAULT, "g_free"));
  if (getFilename == nullptr || release == nullptr) return FromWxPath(dialog.GetPath());
  char* path = getFilename(dialog.GetHandle());
  const std::string bytes = path ? path : "";
  release(path);
  return bytes;
}

}  // namespace

std::string RunFileDialog(const FileDialogRequest& request) {
  const long style = request.save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN;
  const std::string wildcard = WildcardOf(request.filter);
  wxFileDialog dialog(
      nullptr, request.save ? "Save As" : "Open", wxString(), ToWxPath(request.initialName),
      wildcard.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : ToWx(wildcard), style);
  for (;;) {
    if (dialog.ShowModal() != wxID_OK) return "";
    const std::string chosen = ChosenPath(dialog);
    if (chosen.empty()) return "";
    const std::string path = WithDefaultExtension(chosen, request);
    if (!request.save || path == chosen || MayReplace(path)) return path;
  }
}

}  // namespace ui::window
