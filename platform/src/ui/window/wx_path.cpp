#include "wx_path.h"

#include <wx/strconv.h>

#include "wx_text.h"

namespace ui::window {

wxString ToWxPath(const std::string& path) {
  return wxString(path.data(), *wxConvFileName, path.size());
}

std::string FromWxPath(const wxString& path) {
  const wxCharBuffer bytes = path.mb_str(*wxConvFileName);
  return std::string(bytes.data(), bytes.length());
}

wxString ShownPath(const wxString& path) { return ToWx(FromWxPath(path)); }

}  // namespace ui::window
