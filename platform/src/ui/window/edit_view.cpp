#include "edit_view.h"

#include <wx/settings.h>
#include <wx/textctrl.h>

#include "wx_text.h"

namespace ui::window {
namespace {

long EditStyle(const EditControl& control) {
  long flags = 0;
  if (control.HasStyle(style::kMultiLine)) {
    flags |= wxTE_MULTILINE;
    // Without horizontal auto-scroll a multi-line edit wraps its lines.
    flags |= control.HasStyle(style::kAutoHScroll) ? wxTE_DONTWRAP : wxTE_WORDWRAP;
  }
  if (control.IsReadOnly()) flags |= wxTE_READONLY;
  if (!control.HasStyle(style::kBorder)) flags |= wxBORDER_NONE;
  return flags;
}

}  // namespace

EditView::EditView(EditControl& control, wxWindow* parent)
    : WidgetView(control,
                 new wxTextCtrl(parent, wxID_ANY, wxString(), PositionOf(control.GetRect()),
                                SizeOf(control.GetRect()), EditStyle(control))),
      edit_(control),
      multiLine_(control.HasStyle(style::kMultiLine)) {
  Widget()->Bind(wxEVT_TEXT, &EditView::OnText, this);
  // The theme draws a read-only edit as an editable one; it gets the
  // window's background, as read-only fields have, so that it does not
  // invite typing.
  if (control.IsReadOnly()) {
    Widget()->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  }
}

wxTextCtrl* EditView::Text() const { return static_cast<wxTextCtrl*>(Widget()); }

// The bytes that the widget's text stands for, as the model holds them.
std::string EditView::ShownText() const {
  const wxString value = Text()->GetValue();
  if (value.empty()) return std::string();
  const std::string& model = edit_.GetText();
  const std::string shown = TextAfterEdit(multiLine_ ? ToWidgetLines(model) : model, value);
  return multiLine_ ? ToModelLines(shown) : shown;
}

// The widget keeps its caret when it already shows the model's text, as it
// does while the user types.
void EditView::Mirror(Aspect aspect) {
  if (aspect != Aspect::Text || ShownText() == edit_.GetText()) return;
  ShowText(edit_.GetText());
}

void EditView::ShowText(const std::string& text) {
  Text()->ChangeValue(ToWx(multiLine_ ? ToWidgetLines(text) : text));
}

void EditView::OnText(wxCommandEvent&) {
  if (Mirroring()) return;
  const std::string typed = ShownText();
  if (typed != edit_.GetText()) ReportTyping([&] { edit_.UserType(typed); });
}

}  // namespace ui::window
