#pragma once

#include <wx/font.h>

namespace ui::window {

/// The font of every dialog: the toolkit's GUI font at the small size that
/// dialog templates are laid out for, so that a dialog unit comes to about
/// 1.5 px across and 1.6 px down at 96 dpi.
wxFont DialogFont();

}  // namespace ui::window
