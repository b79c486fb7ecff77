#include "static_view.h"

#include <wx/statbox.h>
#include <wx/stattext.h>

#include "wx_text.h"

namespace ui::window {
namespace {

wxWindow* MakeStatic(const Control& control, wxWindow* parent) {
  const wxString text = ToWx(control.GetText());
  const wxPoint position = PositionOf(control.GetRect());
  const wxSize size = SizeOf(control.GetRect());
  if (control.Kind() == ControlKind::GroupBox) {
    return new wxStaticBox(parent, wxID_ANY, text, position, size);
  }
  return new wxStaticText(parent, wxID_ANY, text, position, size, wxST_NO_AUTORESIZE);
}

}  // namespace

StaticView::StaticView(Control& control, wxWindow* parent)
    : WidgetView(control, MakeStatic(control, parent)) {}

void StaticView::Mirror(Aspect aspect) {
  if (aspect == Aspect::Text) static_cast<wxControl*>(Widget())->SetLabel(ToWx(Model().GetText()));
}

}  // namespace ui::window
