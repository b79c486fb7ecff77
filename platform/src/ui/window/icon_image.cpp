#include "icon_image.h"

#include "ui/toolkit.h"

namespace ui::window {

wxBitmap IconBitmap(int iconId) {
  const char* const* xpm = FindIcon(iconId);
  return xpm ? wxBitmap(xpm) : wxBitmap();
}

wxIcon IconImage(int iconId) {
  const char* const* xpm = FindIcon(iconId);
  return xpm ? wxIcon(xpm) : wxIcon();
}

}  // namespace ui::window
