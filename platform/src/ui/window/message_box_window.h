#pragma once

#include <string>

#include "ui/message_box.h"

class wxWindow;

namespace ui::window {

/// Shows a modal message box over `owner` (null: over the active window) and
/// returns the button pressed; closing a Yes/No box without an answer counts
/// as No.
Answer RunMessageBox(wxWindow* owner, const std::string& text, const std::string& caption,
                     Buttons buttons, Icon icon);

}  // namespace ui::window
