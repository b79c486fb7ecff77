#include "dialog_font.h"

#include <wx/settings.h>

namespace ui::window {

wxFont DialogFont() {
  constexpr int kTemplatePointSize = 8;
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  if (font.GetPointSize() > kTemplatePointSize) font.SetPointSize(kTemplatePointSize);
  return font;
}

}  // namespace ui::window
