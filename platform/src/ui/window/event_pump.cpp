#include "event_pump.h"

#include <wx/evtloop.h>

namespace ui::window {
namespace {

void YieldFor(long categories) {
  if (wxEventLoopBase* active = wxEventLoopBase::GetActive()) {
    active->YieldFor(categories);
    return;
  }
  wxGUIEventLoop loop;
  wxEventLoopActivator activate(&loop);
  loop.YieldFor(categories);
}

}  // namespace

void RepaintWindows() { YieldFor(wxEVT_CATEGORY_UI); }

void HandlePendingEvents() { YieldFor(wxEVT_CATEGORY_ALL); }

}  // namespace ui::window
