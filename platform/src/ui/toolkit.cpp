#include "ui/toolkit.h"

#include <cstdlib>
#include <map>

#include "backend.h"
#include "window/window_backend.h"

namespace ui {
namespace {

bool DisplayNamed() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

std::map<int, const char* const*>& Icons() {
  static std::map<int, const char* const*> icons;
  return icons;
}

}  // namespace

bool StartUserInterface(int argc, char** argv) {
  return DisplayNamed() && StartWindowBackend(argc, argv);
}

bool HasWindows() { return CurrentBackend().HasWindows(); }

void KeepResponsive() { CurrentBackend().KeepResponsive(); }

void RegisterIcon(int iconId, const char* const* xpm) { Icons()[iconId] = xpm; }

const char* const* FindIcon(int iconId) {
  auto found = Icons().find(iconId);
  return found == Icons().end() ? nullptr : found->second;
}

}  // namespace ui
