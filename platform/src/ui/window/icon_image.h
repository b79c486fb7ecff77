#pragma once

#include <wx/bitmap.h>
#include <wx/icon.h>

namespace ui::window {

/// The image registered under `iconId` (ui::RegisterIcon); an invalid bitmap
/// or icon (IsOk() false) when none is registered or the image is unreadable.
wxBitmap IconBitmap(int iconId);
wxIcon IconImage(int iconId);

}  // namespace ui::window
