#include "window_backend.h"

#include <wx/app.h>
#include <wx/dcscreen.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/settings.h>

#include <iostream>
#include <vector>

#include "../backend.h"
#include "dialog_font.h"
#include "event_pump.h"
#include "file_dialog_window.h"
#include "folder_chooser_window.h"
#include "message_box_window.h"
#include "modal_windows.h"
#include "window_peer.h"

namespace {

// The toolkit needs an application object; the program's own application
// logic lives above the ui layer, so this one does nothing of its own.
class ToolkitApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

namespace ui {
namespace {

// The toolkit may take its own options out of the argument list it gets, and
// keeps the list for the life of the process: it gets a copy of its own.
std::vector<char*> toolkitArguments;

// A failed toolkit check is a program error, not a question for the user:
// it goes to standard error instead of a dialog that would stop the program.
void ReportAssertion(const wxString& file, int line, const wxString& function,
                     const wxString& condition, const wxString& message) {
  std::cerr << "toolkit assertion failed: " << file << ":" << line << " " << function << ": "
            << condition << " " << message << std::endl;
}

class WindowBackend : public Backend {
 public:
  WindowBackend() { MeasureDialogFont(); }

  bool HasWindows() const override { return true; }

  // Dialog units as the dialog font gives them: a quarter of the average
  // character width across, an eighth of the character height down.
  Rect ToPixels(const Rect& units) const override {
    return {Across(units.x), Down(units.y), Across(units.width), Down(units.height)};
  }

  std::unique_ptr<DialogPeer> MakePeer(Dialog& dialog, Dialog* parent, bool) override {
    return std::make_unique<window::WindowPeer>(dialog, window::WindowOf(parent));
  }

  Answer ShowMessageBox(const Dialog* owner, const std::string& text, const std::string& caption,
                        Buttons buttons, Icon icon) override {
    return window::RunMessageBox(window::WindowOf(owner), text, caption, buttons, icon);
  }

  std::string ShowFileDialog(const FileDialogRequest& request) override {
    return window::RunFileDialog(request);
  }

  std::string ShowFolderChooser(const FolderRequest& request) override {
    return window::RunFolderChooser(request);
  }

  void KeepResponsive() override { window::RepaintWindows(); }

 private:
  void MeasureDialogFont() {
    wxScreenDC screen;
    screen.SetFont(window::DialogFont());
    wxCoord width = 0;
    wxCoord height = 0;
    screen.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height);
    if (width > 0 && height > 0) {
      baseWidth_ = (width / 26 + 1) / 2;
      baseHeight_ = height;
    }
  }

  int Across(int units) const { return Scale(units, baseWidth_, 4); }
  int Down(int units) const { return Scale(units, baseHeight_, 8); }
  static int Scale(int units, int base, int per) {
    long product = static_cast<long>(units) * base;
    return static_cast<int>((product >= 0 ? product + per / 2 : product - per / 2) / per);
  }

  // The dialog font's base units at 96 dpi, until measured.
  int baseWidth_ = 6;
  int baseHeight_ = 13;
};

}  // namespace

bool StartWindowBackend(int argc, char** argv) {
  static bool started = false;
  if (started) return true;
  toolkitArguments.assign(argv, argv + argc);
  if (toolkitArguments.empty()) toolkitArguments.push_back(const_cast<char*>("varnock"));
  toolkitArguments.push_back(nullptr);
  int count = static_cast<int>(toolkitArguments.size()) - 1;
  {
    wxLogNull quiet;  // no display is an answer here, not an error
    // Given the instance here rather than through the toolkit's application
    // macros, which define functions this program never calls. The toolkit
    // deletes it again when it cannot start.
    wxApp::SetInstance(new ToolkitApp);
    if (!wxEntryStart(count, toolkitArguments.data())) return false;
  }
  // The toolkit stays up until the process ends: the program ends with its
  // windows (or exits from inside one), so there is nothing to tear down.
  wxSetAssertHandler(ReportAssertion);
  window::FollowModalWindows(window::RefreshTooltips);
  InstallBackend(std::make_unique<WindowBackend>());
  started = true;
  return true;
}

}  // namespace ui
